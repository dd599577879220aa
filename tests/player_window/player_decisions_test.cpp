// The player window's decisions, without a display: keys, seeks, texts,
// the sound file beside a .cdg, scaling, and a file that shrinks mid-play.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/player_files.h"
#include "app/player_frame.h"
#include "app/player_keys.h"
#include "app/player_session.h"
#include "app/player_text.h"
#include "player_image.h"

namespace orvane::test {
namespace {

TEST(PlayerDecisions, KeysAndWhereTheySeek) {
    struct Case {
        PlayerKey key;
        bool modifiers;
        std::uint64_t now;
        PlayerAction action;
        std::uint64_t target;  // of 6,000 sectors
    };
    const Case cases[] = {
        {PlayerKey::Space, false, 900, PlayerAction::PlayPause, 900},
        {PlayerKey::Left, false, 900, PlayerAction::Back, 525},
        {PlayerKey::Left, false, 100, PlayerAction::Back, 0},
        {PlayerKey::Right, false, 900, PlayerAction::Forward, 1275},
        {PlayerKey::Right, false, 5800, PlayerAction::Forward, 6000},
        {PlayerKey::Home, false, 900, PlayerAction::ToStart, 0},
        {PlayerKey::End, false, 900, PlayerAction::ToEnd, 6000},
        {PlayerKey::Escape, false, 900, PlayerAction::Close, 900},
        {PlayerKey::Other, false, 900, PlayerAction::None, 900},
        {PlayerKey::Right, true, 900, PlayerAction::None, 900},
        {PlayerKey::Escape, true, 900, PlayerAction::None, 900},
        {PlayerKey::F1, false, 900, PlayerAction::Help, 900},
        {PlayerKey::F1, true, 900, PlayerAction::None, 900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        const PlayerAction action = ActionForKey(c.key, c.modifiers);
        EXPECT_EQ(action, c.action);
        EXPECT_EQ(SeekTarget(action, c.now, 6000), c.target);
    }
}

TEST(PlayerDecisions, Texts) {
    EXPECT_EQ(PositionText(0, 74), "0:00 / 0:00");
    EXPECT_EQ(PositionText(75 * 59 + 74, 75 * 60), "0:59 / 1:00");
    EXPECT_EQ(PositionText(75 * 605, 75 * 4800), "10:05 / 80:00");

    PlayerNotes image;
    image.pictureCompleteSectors = 1537;
    PlayerNotes silentImage = image;
    silentImage.device = false;
    silentImage.deviceError = "Audio target 'x' not available";
    silentImage.ignoredBytes = 1;
    silentImage.readError = "The file got shorter";
    PlayerNotes stream;
    stream.cdgStream = true;
    stream.audioName = "song.mp3";
    PlayerNotes brokenSound = stream;
    brokenSound.audioError = "Invalid data found when processing input";
    brokenSound.device = false;
    PlayerNotes silentStream = stream;
    silentStream.device = false;
    PlayerNotes noSound;
    noSound.cdgStream = true;
    noSound.ignoredBytes = 12345;
    const std::pair<PlayerNotes, std::string> cases[] = {
        {PlayerNotes{}, ""},
        {image, "Last tile drawn at 20.49 s."},
        {silentImage,
         "Read error, playing stopped: The file got shorter.  No audio device (Audio target 'x' "
         "not available): playing silently.  The last 1 byte is not a whole sector and not "
         "played.  Last tile drawn at 20.49 s."},
        {stream, "Sound from song.mp3."},
        {brokenSound,
         "song.mp3 cannot be played (Invalid data found when processing input): no sound."},
        {noSound,
         "No .mp3, .wav, .ogg or .flac file of the same name beside it: no sound.  The last "
         "12,345 bytes are not a whole sector and not played."},
        {silentStream, "No audio device: playing silently."},
    };
    for (const auto& [notes, text] : cases) EXPECT_EQ(StatusText(notes), text);
    EXPECT_EQ(OpenFailureText("/a/b/disc.cdg", "The file is empty"),
              "Cannot play \"disc.cdg\":\nThe file is empty.");
}

// The name as it is before other cases, then .mp3, .wav, .ogg, .flac.
TEST(PlayerDecisions, SoundFileBesideAStream) {
    struct Case {
        std::vector<std::string> files;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{}, ""},
        {{"song.txt", "other.mp3", "song.cdg.mp3"}, ""},
        {{"song.flac", "song.ogg", "song.wav"}, "song.wav"},
        {{"song.FLAC"}, "song.FLAC"},
        {{"SONG.mp3", "song.ogg"}, "song.ogg"},
        {{"SONG.mp3", "Song.wav"}, "SONG.mp3"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        WriteFile(dir.File("song.cdg"), Bytes(96));
        for (const std::string& name : c.files) WriteFile(dir.File(name), Bytes(4));
        const std::string found = CompanionAudio(dir.File("song.cdg"));
        EXPECT_EQ(found.empty() ? "" : std::filesystem::path(found).filename().string(),
                  c.expected);
    }
    TempDir dir;
    std::filesystem::create_directory(dir.File("song.mp3"));  // a folder is not a sound file
    EXPECT_EQ(CompanionAudio(dir.File("song.cdg")), "");
    WriteFile(dir.File("disc.cdg"), Bytes(2448));
    EXPECT_EQ(ChooserStart(dir.File("disc.cdg")), dir.File("disc.cdg"));
    EXPECT_EQ(ChooserStart(dir.File("gone.cdg")), dir.path().string());
    EXPECT_EQ(ChooserStart(dir.File("gone/disc.cdg")), "");
    EXPECT_EQ(ChooserStart(""), "");
}

// Whole-factor scaling as ImageMagick's -scale does it for whole factors.
TEST(PlayerDecisions, ScalesLikeImageMagick) {
    TempDir dir;
    constexpr int kWidth = 7, kHeight = 5, kFactor = 3;
    Bytes rgb(kWidth * kHeight * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 37 + 11);
    WriteFile(dir.File("in.rgb"), rgb);
    const std::string command = "convert -size 7x5 -depth 8 rgb:" + dir.File("in.rgb") +
                                " -scale 300% rgb:" + dir.File("out.rgb");
    ASSERT_EQ(std::system(command.c_str()), 0);
    Bytes scaled(rgb.size() * kFactor * kFactor);
    ScaleNearest(rgb.data(), kWidth, kHeight, kFactor, scaled.data());
    EXPECT_EQ(scaled, ReadFile(dir.File("out.rgb")));

    EXPECT_EQ(ScreenFactor(1280, 1024), 2);
    EXPECT_EQ(ScreenFactor(800, 600), 2);
    EXPECT_EQ(ScreenFactor(640, 480), 1);
    EXPECT_EQ(ScreenFactor(3840, 2160), 2);
    EXPECT_EQ(ScreenFactor(100, 100), 1);
    // 6,000 sectors over 300 pixels: a pixel is 20 sectors.
    EXPECT_FALSE(SliderMoves(100, 119, 6000, 300, true));
    EXPECT_TRUE(SliderMoves(100, 120, 6000, 300, true));
    EXPECT_TRUE(SliderMoves(100, 101, 6000, 300, false));
    EXPECT_FALSE(SliderMoves(100, 100, 6000, 300, false));
}

// A file cut short while it plays stops the player with a read error and
// the last screen it could decode; it plays again once asked.
TEST(PlayerDecisions, FileCutShortWhilePlaying) {
    TempDir dir;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const PlayerImage image = MakePlayerImage(dir.File("disc.cdg"), 12.0);
    PlayerSession session;
    ASSERT_FALSE(session.Open(image.path));
    std::filesystem::resize_file(image.path, 2448 * 150);
    session.Seek(75 * 8);
    session.PlayPause();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (session.notes().readError.empty() && std::chrono::steady_clock::now() < end) {
        session.Follow();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(session.notes().readError, "The file got shorter");
    EXPECT_FALSE(session.playing());
    session.PlayPause();
    EXPECT_TRUE(session.playing());
    EXPECT_EQ(session.notes().readError, "");
}

}  // namespace
}  // namespace orvane::test
