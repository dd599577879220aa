// The lyrics track's timeline over layouts the oracle test never makes (big
// text, author positions off the screen, margins, outline karaoke, a
// recording that ends mid-line), judged on the screens its tile states
// paint: a wipe early or late, text outside the safe area, lyrics colours
// outside the lines and the title or countdown, a line never cleared.
// Whether lines are whole by their lead and legible is the oracle's to judge.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <tuple>

#include "lyrics/lyrics_renderer.h"
#include "lyrics/palette_reserve.h"
#include "lyrics/timeline_builder.h"
#include "tests/lyrics/lyrics_song.h"

namespace orvane {
namespace {

constexpr std::int64_t kSongSectors = 240 * 75;

struct Case {
    const char* name;
    std::function<Lyrics()> lyrics;
    LayoutOptions options;
    std::int64_t sectors = kSongSectors;  // 0: a second into the last line
    const char* refusal = nullptr;        // what the refusal says, planning nothing
};

Lyrics Styled(int lines, const std::function<void(Lyrics&)>& change) {
    Lyrics lyrics = test::TestSong(lines);
    change(lyrics);
    return lyrics;
}

LyricsLine OneWordLine(const std::string& text, std::int64_t start, std::int64_t length) {
    LyricsLine line;
    line.syllables.push_back({text, start, start + length, SyllableEffect::Sweep});
    return line;
}

std::vector<Case> Cases() {
    LayoutOptions lead2;
    lead2.leadSeconds = 2;
    LayoutOptions lead0;
    lead0.leadSeconds = 0;
    LayoutOptions noFont;
    noFont.fontFile = "/nonexistent/lyrics-font.ttf";
    const std::int64_t fourthLine = SectorAt(test::TestSong(5).lines[3].StartMs());
    return {
        {"test_song", [] { return test::TestSong(); }, {}},
        {"big_text_at_the_top_with_a_giant_word",
         [] {
             return Styled(12, [](Lyrics& l) {
                 l.style.size = 34;
                 l.style.alignment = 8;
                 l.lines[3] = OneWordLine("Supercalifragilisticexpialidocious-and-then-some",
                                          l.lines[3].StartMs(), 2000);
                 for (Syllable& s : l.lines[5].syllables) s.text += "and more words ";
             });
         },
         {}},
        {"author_positions_off_the_screen",
         [] {
             return Styled(10, [](Lyrics& l) {
                 const LyricsPosition at[] = {
                     {0, 0}, {288, 192}, {144, 96}, {-50, 300}, {300, -20}};
                 for (std::size_t i = 0; i < l.lines.size(); ++i) {
                     l.lines[i].position = at[i % 5];
                     l.lines[i].alignment = static_cast<int>(1 + i % 9);
                 }
             });
         },
         lead2},
        {"instant_and_outline_karaoke_right_aligned_in_margins",
         [] {
             return Styled(16, [](Lyrics& l) {
                 l.style.alignment = 3;
                 l.style.marginLeft = 60;
                 l.style.marginRight = 40;
                 l.style.outlineWidth = 3;
                 l.style.shadow = 2;
                 for (std::size_t i = 0; i < l.lines.size(); ++i)
                     for (Syllable& s : l.lines[i].syllables)
                         s.effect = i % 2 ? SyllableEffect::Instant : SyllableEffect::Outline;
             });
         },
         lead0},
        {"recording_ends_mid_line", [] { return test::TestSong(10); }, {}, 0},
        {"refused_line_after_the_recording_ends",
         [] { return test::TestSong(5); },
         {},
         fourthLine - 1,
         "Line 4 of the lyrics starts at 0:"},
        {"refused_font_file_that_cannot_be_read", [] { return test::TestSong(5); }, noFont,
         kSongSectors, "/nonexistent/lyrics-font.ttf"},
        {"refused_line_longer_than_the_screen_holds",
         [] {
             return Styled(5, [](Lyrics& l) {
                 for (int i = 0; i < 60; ++i)
                     l.lines[2].syllables.push_back({"whisper ", 30000, 30000});
             });
         },
         {},
         kSongSectors,
         "Line 3 of the lyrics is too long"},
    };
}

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

bool Inside(const TimelineLine& line, int x, int y) {
    return x >= line.left && x < line.right && y >= line.top && y < line.bottom;
}

class TimelineTable : public testing::TestWithParam<Case> {};

TEST_P(TimelineTable, ShowsWhatTheSingerNeeds) {
    const Case& c = GetParam();
    const Lyrics lyrics = c.lyrics();
    const std::int64_t sectors =
        c.sectors ? c.sectors : SectorAt(lyrics.lines.back().StartMs() + 1000);
    const ScreenTimelineResult result =
        BuildScreenTimeline(test::PhotoPicture(), lyrics, c.options, sectors);
    if (c.refusal) {
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find(c.refusal), std::string::npos) << result.message;
        EXPECT_TRUE(result.timeline.changes.empty());
        return;
    }
    ASSERT_TRUE(result.ok) << result.message;
    const ScreenTimeline& timeline = result.timeline;
    ASSERT_EQ(timeline.words.size(), lyrics.WordCount());
    ASSERT_EQ(timeline.lines.size(), lyrics.lines.size());

    // States in order, each drawable in its window, a tile's windows in order.
    std::map<int, std::int64_t> lastRelease;
    for (std::size_t i = 0; i < timeline.changes.size(); ++i) {
        const TileState& s = timeline.changes[i];
        if (i > 0) {
            const TileState& p = timeline.changes[i - 1];
            ASSERT_TRUE(p.deadline < s.deadline || (p.deadline == s.deadline && p.tile < s.tile));
        }
        ASSERT_LE(s.release, s.deadline);
        ASSERT_LT(s.deadline, sectors);
        ASSERT_GE(s.release, lastRelease[s.tile]);
        lastRelease[s.tile] = s.release;
        // A word's wipe shows while it is sung: never drawable before it
        // starts, due by its end (one sector for libass's centiseconds).
        if (s.word >= 0) {
            const TimelineWord& w = timeline.words.at(s.word);
            EXPECT_GE(s.release, SectorAt(w.startMs) - 1) << "word " << s.word;
            EXPECT_LE(s.deadline, SectorAt(w.endMs) + 1) << "word " << s.word;
        }
    }
    for (const TimelineLine& line : timeline.lines) {
        if (line.right <= line.left) continue;  // no box: nothing drawn
        EXPECT_GE(line.left, 6);
        EXPECT_GE(line.top, 12);
        EXPECT_LE(line.right, 282);
        EXPECT_LE(line.bottom, 180);
    }
    // Every half second: outside the lines' boxes and the title or countdown
    // shown then, the picture; the lyrics' colours only inside those.
    test::ScreenPainter painter(timeline);
    for (std::int64_t sector = 0; sector < sectors; sector += 37) {
        const std::vector<std::uint8_t>& screen = painter.At(sector);
        const std::int64_t ms = MsOfSector(sector);
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth; ++x) {
                const std::uint8_t shown = screen[y * kPictureWidth + x];
                if (shown == PixelAt(timeline.picture, x, y) && shown < kUnsungIndex) continue;
                const bool overlay = std::any_of(
                    timeline.overlays.begin(), timeline.overlays.end(), [&](const auto& o) {
                        return ms >= o.fromMs && ms < o.toMs && x >= o.left && x < o.right &&
                               y >= o.top && y < o.bottom;
                    });
                ASSERT_TRUE(overlay ||
                            std::any_of(timeline.lines.begin(), timeline.lines.end(),
                                        [&](const TimelineLine& l) { return Inside(l, x, y); }))
                    << "at " << x << "," << y << " sector " << sector;
            }
    }
    // Long after the last word every line has gone and the picture is back.
    const std::int64_t lastEnd = SectorAt(lyrics.lines.back().EndMs());
    if (lastEnd + 5 * 75 < sectors) {
        const std::vector<std::uint8_t>& screen = painter.At(sectors);
        for (int y = 0; y < kPictureHeight; ++y)
            for (int x = 0; x < kPictureWidth; ++x)
                ASSERT_EQ(screen[y * kPictureWidth + x], PixelAt(timeline.picture, x, y));
    }
}

INSTANTIATE_TEST_SUITE_P(Songs, TimelineTable, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// 12 colours through 14 entries (two repeated) are kept exactly; the photo's
// 16 are reduced, with a note. Either way the lyrics' own four entries follow
// the style (the table above only checks the picture keeps to 0 .. 11).
TEST(LyricsPicture, KeepsTwelveColoursExactlyAndReducesMore) {
    Picture twelve;
    InitPicture(twelve);
    for (int i = 0; i < 14; ++i) {
        const int c = i < 12 ? i : i - 9;
        twelve.palette[i] = {static_cast<std::uint8_t>(c * 17),
                             static_cast<std::uint8_t>(255 - c * 17),
                             static_cast<std::uint8_t>(c * 34 % 256), 0};
    }
    for (std::size_t n = 0; n < kPixelBytes; ++n)
        twelve.pixels[n] = static_cast<std::uint8_t>((n % 14) << 4 | (n / 7 % 14));
    UpdatePreviewInfo(twelve);
    const Lyrics lyrics = test::TestSong(3);
    const auto rgb = [](const PaletteEntry& e) { return std::tuple(e.red, e.green, e.blue); };
    for (const auto& [in, reduce] :
         {std::pair(twelve, false), std::pair(test::PhotoPicture(), true)}) {
        const ScreenTimelineResult result = BuildScreenTimeline(in, lyrics, {}, 60 * 75);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.pictureReduced, reduce);
        EXPECT_EQ(result.notes.size(), reduce ? 1u : 0u);
        const Picture& out = result.timeline.picture;
        const LyricsStyle& st = lyrics.style;
        EXPECT_EQ(rgb(out.palette[kUnsungIndex]), rgb(PlayerEntry(st.unsung)));
        EXPECT_EQ(rgb(out.palette[kSungIndex]), rgb(PlayerEntry(st.sung)));
        EXPECT_EQ(rgb(out.palette[kOutlineIndex]), rgb(PlayerEntry(st.outline)));
        EXPECT_EQ(rgb(out.palette[kBackIndex]), rgb(PlayerEntry(st.back)));
        for (int y = 0; y < kPictureHeight && !reduce; ++y)
            for (int x = 0; x < kPictureWidth; ++x)
                ASSERT_EQ(rgb(out.palette[PixelAt(out, x, y)]), rgb(in.palette[PixelAt(in, x, y)]))
                    << x << "," << y;
    }
}

}  // namespace
}  // namespace orvane
