// Where a track's names come from, and what of them CD-TEXT can hold.
#include <gtest/gtest.h>

#include "disc/cd_text.h"
#include "disc/disc_length.h"
#include "disc/track_names.h"

namespace orvane {
namespace {

TEST(DiscNames, EachTrackTakesTheFirstSourceThatNamesIt) {
    const TrackNames listed{"Listed", "Song"};
    struct Case {
        const TrackNames* listed;
        std::optional<TrackTags> tags;
        const char* path;
        TrackNames expected;
    } cases[] = {
        {&listed, TrackTags{"Tagged Song", "Tagger"}, "/m/A - B.img", {"Listed", "Song"}},
        {nullptr, TrackTags{"", "Tagger"}, "/m/A - B.img", {"A", "B"}},  // no title: no tags
        {nullptr, std::nullopt, "/m/ABBA - Waterloo - live.cdg", {"ABBA", "Waterloo - live"}},
        {nullptr, std::nullopt, "/m/ - x.img", {"", "x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseTrackNames(c.listed, c.tags, c.path), c.expected) << c.path;
    }
}

TEST(DiscNames, TitlesListHasOneLinePerTrack) {
    const TitlesList list =
        ParseTitlesList("\xEF\xBB\xBFQueen - Bohemian Rhapsody\r\n\n  Just A Title  \n\n\n", 3);
    ASSERT_TRUE(list.error.empty()) << list.error;
    ASSERT_EQ(list.names.size(), 3u);
    EXPECT_EQ(*list.names[0], (TrackNames{"Queen", "Bohemian Rhapsody"}));
    EXPECT_FALSE(list.names[1]);  // an empty line: the next source names it
    EXPECT_EQ(*list.names[2], (TrackNames{"", "Just A Title"}));
    // One line too many or too few would shift every name onto another song.
    EXPECT_FALSE(ParseTitlesList("a\nb\n", 3).error.empty());  // too few; too many: disc command
}

TEST(DiscCdText, NamesBecomeLatin1WithinWhatADiscHolds) {
    struct Case {
        const char* utf8;
        const char* latin1;
        bool replaced;
    } cases[] = {
        {"Don\xE2\x80\x99t \xE2\x80\x9CStop\xE2\x80\x9D \xE2\x80\x94 now\xE2\x80\xA6",
         "Don't \"Stop\" - now...", false},
        {"\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x8E\xA4", "?? ?", true},  // CJK, emoji
        {"tab\there\x7F", "tab here ", false},
        {"bad \xC3 \xC0\xAF \xED\xA0\x80", "bad ? ?? ???", true},  // cut, overlong, surrogate
    };
    for (const Case& c : cases) {
        bool replaced = false;
        EXPECT_EQ(CdTextLatin1(c.utf8, &replaced), c.latin1) << c.utf8;
        EXPECT_EQ(replaced, c.replaced) << c.utf8;
    }
    // Every field of 99 long-named tracks cannot fit: all are cut to one
    // length, the largest that fits, and short names stay whole.
    std::vector<TrackNames> tracks(99, {std::string(300, 'p'), std::string(300, 't')});
    tracks[5] = {"Abba", "Waterloo"};
    const CdTextFit fit = FitCdText({"Band", std::string(170, 'a')}, tracks);
    EXPECT_LE(CdTextPackCount(fit.fields), kCdTextPacks);
    const std::size_t cut = fit.fields[1].title.size();
    auto longer = fit.fields;
    for (auto& f : longer) {
        if (f.title.size() == cut) f.title += 't';
        if (f.performer.size() == cut) f.performer += 'p';
    }
    EXPECT_GT(CdTextPackCount(longer), kCdTextPacks);
    EXPECT_EQ(fit.fields[6], (TrackNames{"Abba", "Waterloo"}));
    EXPECT_EQ(fit.fields[0].performer, "Band");
    EXPECT_EQ(fit.shortened, 2 * 98 + 1u);
    // Few names keep up to 160 letters each.
    const CdTextFit one = FitCdText({"", std::string(170, 'a')}, {{"", "x"}});
    EXPECT_EQ(one.fields[0].title.size(), 160u);
    EXPECT_EQ(one.shortened, 1u);
}

TEST(DiscLength, CountsGapsAndSaysHowMuchIsOver) {
    const DiscLength full = MeasureDisc({k80MinuteSectors});
    EXPECT_FALSE(full.over80);
    const DiscLength over = MeasureDisc({k80MinuteSectors - 150, 1});
    EXPECT_TRUE(over.over80);
    EXPECT_EQ(TooLongMessage(over),
              "The tracks and their gaps last 79:58; an 80-minute disc holds 79:57: 0:01 too "
              "long. Leave out a track.");
    EXPECT_FALSE(MeasureDisc({k74MinuteSectors}).over74);
    EXPECT_TRUE(MeasureDisc({k74MinuteSectors + 1}).over74);
}

}  // namespace
}  // namespace orvane
