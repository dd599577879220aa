// The main window's lyrics: what loading a file, a text without times, a
// faulty file and removing them show and keep.
#include "app/lyrics_choice.h"

#include <gtest/gtest.h>

#include "app/job_control.h"
#include "encoder/image_size.h"
#include "fake_effects.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

using Events = std::vector<std::string>;

struct FakeLyricsEffects : LyricsEffects {
    std::vector<std::string>& events;
    bool answer = false;
    explicit FakeLyricsEffects(std::vector<std::string>& log) : events(log) {}
    bool Ask(const std::string& question) override {
        events.push_back("ask:" + question);
        return answer;
    }
    void OpenTimingWindow(const std::string& path) override { events.push_back("time:" + path); }
};

struct LyricsChoiceTest : testing::Test {
    JobState state;
    Picture picture;
    DialogModel model{state, picture};
    test::FakeEffects effects;
    FakeLyricsEffects lyricsEffects{effects.events};
    LyricsChoice choice{model, effects, lyricsEffects};
};

TEST_F(LyricsChoiceTest, LoadsTimedLyricsOffersTimingForTextAndKeepsTheLoadedOnARefusal) {
    test::TempDir dir;
    const auto make = [&dir](const std::string& name, const std::string& text) {
        test::WriteFile(dir.File(name), test::Bytes(text.begin(), text.end()));
        return dir.File(name);
    };
    const std::string lrc =
        make("song.lrc",
             "[ti:Song]\n[00:01.00]<00:01.00>One <00:01.50>two\n[00:03.00]Three four five\n");
    const std::string text = make("words.txt", "One two\nThree fo/ur\n");
    const std::string bad = make("bad.lrc", "[00:01.00]<00:02.00>One <00:01.00>two\n");

    choice.TakeLyricsFile(lrc);
    ASSERT_TRUE(model.lyrics);
    EXPECT_EQ(model.lyricsPath, lrc);
    EXPECT_EQ(effects.events, Events{"log:Lyrics loaded: " + lrc + " (2 lines, 5 words)"});

    // A text without times: the question, and the window only on Yes; a
    // faulty file: its line and reason. The lyrics loaded stay either way.
    effects.events.clear();
    choice.TakeLyricsFile(text);
    lyricsEffects.answer = true;
    choice.TakeLyricsFile(text);
    choice.TakeLyricsFile(bad);
    choice.TakeLyricsFile(dir.File("missing.lrc"));
    ASSERT_EQ(effects.events.size(), 5u);
    EXPECT_EQ(effects.events[0], "ask:" + TimeLyricsQuestion(text));
    EXPECT_EQ(effects.events[1], effects.events[0]);
    EXPECT_EQ(effects.events[2], "time:" + text);
    EXPECT_EQ(effects.events[3].rfind("error:" + bad + ", line 1: ", 0), 0u) << effects.events[3];
    EXPECT_EQ(effects.events[4].rfind("error:" + dir.File("missing.lrc") + ": ", 0), 0u);
    EXPECT_EQ(model.lyricsPath, lrc);

    // The chooser, cancelled; removing, twice.
    effects.events.clear();
    choice.OnAddLyrics();
    choice.OnRemoveLyrics();
    choice.OnRemoveLyrics();
    EXPECT_EQ(effects.events,
              (Events{std::string("choose:open|Add lyrics|") + kLyricsChooserFilter + "|lrc",
                      "log:Lyrics removed: " + lrc}));
    EXPECT_FALSE(model.lyrics);
    EXPECT_EQ(model.lyricsPath, "");

    // Dropped files that go to the lyrics, by name.
    for (const char* name : {"a.lrc", "B.ASS", "c.ssa", "d.txt"})
        EXPECT_TRUE(IsLyricsFileName(name));
    for (const char* name : {"a.wav", "lrc", "a.lrc.bmp"}) EXPECT_FALSE(IsLyricsFileName(name));
}

// Start with lyrics loaded makes their track for the recording's length and
// hands it to the job; lyrics that cannot be laid out stop the run before it
// starts, with their reason.
TEST_F(LyricsChoiceTest, StartMakesTheTrackForTheJobOrSaysWhyNot) {
    JobControl control(model, effects);
    control.SetInputsStep([this](JobInputs& inputs) { return choice.PrepareTrack(inputs); });
    state.bitmapValid = state.waveValid = state.outputChosen = true;
    model.bitmapPath = "/in/picture.bmp";
    model.wavePath = "/in/song.wav";
    model.outputPath = "/out/disc.bin";
    state.audioDataOffset = 44;
    state.waveFileLength = 44 + 10 * 176400;  // 10 s
    Lyrics lyrics;
    lyrics.lines.resize(1);
    lyrics.lines[0].syllables = {{"Sing ", 2000, 2500}, {"along", 2500, 3200}};

    choice.TakeLyrics(lyrics, "/in/song.lrc");
    control.OnStartStop();
    ASSERT_EQ(effects.started.size(), 1u) << testing::PrintToString(effects.events);
    ASSERT_TRUE(effects.started[0].lyrics);
    EXPECT_EQ(static_cast<std::int64_t>(effects.started[0].lyrics->size()),
              SectorCount(10 * 176400));
    ASSERT_GE(effects.events.size(), 3u);
    EXPECT_EQ(effects.events.end()[-2], "log:Creating CD+G file...");
    EXPECT_EQ(effects.events.end()[-3].rfind("log:Lyrics: 1 lines, 2 words", 0), 0u)
        << effects.events.end()[-3];

    // A line after the recording's end.
    effects.running = false;
    effects.caption = "&Start";
    effects.events.clear();
    lyrics.lines[0].syllables = {{"Late", 20000, 21000}};
    choice.TakeLyrics(lyrics, "/in/late.lrc");
    control.OnStartStop();
    EXPECT_EQ(effects.started.size(), 1u);
    EXPECT_EQ(effects.caption, "&Start");
    ASSERT_EQ(effects.events.size(), 5u);
    EXPECT_EQ(effects.events[2].rfind("error:", 0), 0u) << effects.events[2];
    EXPECT_EQ(effects.events[3], "log:" + effects.events[2].substr(6));

    // Without lyrics the job gets none.
    choice.OnRemoveLyrics();
    control.OnStartStop();
    ASSERT_EQ(effects.started.size(), 2u);
    EXPECT_FALSE(effects.started[1].lyrics);
}

}  // namespace
}  // namespace orvane
