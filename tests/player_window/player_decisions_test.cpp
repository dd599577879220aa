// The player window's decisions, without a display: keys, texts, the sound
// file beside a .cdg, and a file that shrinks while it plays.
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
#include "player/screen_render.h"
#include "player_image.h"

namespace orvane::test {
namespace {

// Seeks stay within the 6,000 sectors and zooms within 1 to 3; keys with
// Ctrl or Alt are left alone, and with Shift all but Plus and Minus; Space
// is left to a focused button, every other key is not.
TEST(PlayerDecisions, KeysAndWhereTheyLead) {
    using K = PlayerKey;
    using A = PlayerAction;
    constexpr bool kShift = true;
    const std::tuple<K, bool, A, std::uint64_t, int> cases[] = {
        {K::Space, false, A::PlayPause, 900, 2}, {K::Left, false, A::Back, 525, 2},
        {K::Right, false, A::Forward, 1275, 2},  {K::Home, false, A::ToStart, 0, 2},
        {K::End, false, A::ToEnd, 6000, 2},      {K::Escape, false, A::Close, 900, 2},
        {K::F1, false, A::Help, 900, 2},         {K::Other, false, A::None, 900, 2},
        {K::Right, kShift, A::None, 900, 2},     {K::F1, kShift, A::None, 900, 2},
        {K::Plus, kShift, A::ZoomIn, 900, 3},    {K::Minus, false, A::ZoomOut, 900, 1},
        {K::PageUp, false, A::PageBack, 0, 2},   {K::PageDown, false, A::PageForward, 3150, 2},
    };
    for (const auto& [key, shift, action, target, factor] : cases) {
        SCOPED_TRACE(static_cast<int>(key));
        EXPECT_EQ(ActionForKey(key, shift, false, false), action);
        EXPECT_EQ(ActionForKey(key, shift, true, false), A::None);
        EXPECT_EQ(ActionForKey(key, shift, false, true), key == K::Space ? A::None : action);
        EXPECT_EQ(SeekTarget(action, 900, 6000), target);
        EXPECT_EQ(ZoomedFactor(action, 2, 3), factor);
    }
    EXPECT_EQ(SeekTarget(A::Back, 100, 6000), 0u);
    EXPECT_EQ(SeekTarget(A::Forward, 5800, 6000), 6000u);
    EXPECT_EQ(SeekTarget(A::PageForward, 4000, 6000), 6000u);
    EXPECT_EQ(ZoomedFactor(A::ZoomIn, 3, 3), 3);
    EXPECT_EQ(ZoomedFactor(A::ZoomOut, 1, 3), 1);
}

// A changed pixel marks its own tile only, at a tile's first and last pixel
// and at the screen's edges; neighbouring tiles of a row make one run.
TEST(PlayerDecisions, OnlyTheChangedTilesAreDrawnAgain) {
    const std::pair<std::vector<std::pair<int, int>>, std::vector<TileRun>> cases[] = {
        {{}, {}},
        {{{0, 0}}, {{0, 0, 1}}},
        {{{5, 11}}, {{0, 0, 1}}},
        {{{6, 12}}, {{1, 1, 1}}},
        {{{299, 215}}, {{17, 49, 1}}},
        {{{17, 30}, {18, 30}, {35, 24}, {48, 30}}, {{2, 2, 2}, {2, 5, 1}, {2, 8, 1}}},
        {{{0, 0}, {0, 215}}, {{0, 0, 1}, {17, 0, 1}}},
    };
    for (const auto& [pixels, runs] : cases) {
        RgbScreen before{};
        RgbScreen now{};
        for (const auto& [x, y] : pixels) now[(y * 300 + x) * 3 + 2] = 0x11;
        EXPECT_EQ(ChangedTiles(before.data(), now.data()), runs) << pixels.size();
    }
    EXPECT_EQ(AllTiles().size(), 18u);
    EXPECT_EQ(AllTiles().back(), (TileRun{17, 0, 50}));
}

// Problems first, each once; "sound from" only for a file that is heard.
TEST(PlayerDecisions, Texts) {
    EXPECT_EQ(PositionText(75 * 59 + 74, 75 * 60), "0:59 / 1:00");
    EXPECT_EQ(PositionText(75 * 605, 75 * 4800), "10:05 / 80:00");
    PlayerNotes image{.device = false,
                      .deviceError = "Audio target 'x' not available",
                      .ignoredBytes = 1,
                      .readError = "The file got shorter",
                      .pictureCompleteSectors = 1537};
    PlayerNotes stream{.cdgStream = true, .audioName = "song.mp3", .ignoredBytes = 12345};
    PlayerNotes silentStream{.cdgStream = true, .audioName = "song.mp3", .device = false};
    const std::pair<PlayerNotes, std::string> cases[] = {
        {image,
         "Read error, playing stopped: The file got shorter.  No audio device (Audio target 'x' "
         "not available): playing silently.  Ignored the last 1 byte: not a whole sector."
         "  Picture complete at 20.49 s."},
        {stream, "Ignored the last 12,345 bytes: not a whole sector.  Sound from song.mp3."},
        {silentStream, "No audio device: playing silently."},
    };
    for (const auto& [notes, text] : cases) EXPECT_EQ(StatusText(notes), text);
}

// The name as it is before other cases, then .mp3, .wav, .ogg, .flac; the
// chooser starts at the last image, or its folder once it has gone.
TEST(PlayerDecisions, SoundFileBesideAStreamAndWhereTheChooserStarts) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"song.txt", "other.mp3", "song.cdg.mp3"}, ""},
        {{"song.flac", "song.ogg", "song.wav"}, "song.wav"},
        {{"song.FLAC"}, "song.FLAC"},
        {{"SONG.mp3", "song.ogg"}, "song.ogg"},
        {{"SONG.mp3", "Song.wav"}, "SONG.mp3"},
    };
    for (const auto& [files, expected] : cases) {
        TempDir dir;
        for (const std::string& name : files) WriteFile(dir.File(name), Bytes(4));
        const std::string found = CompanionAudio(dir.File("song.cdg"));
        EXPECT_EQ(found.empty() ? "" : std::filesystem::path(found).filename().string(), expected);
    }
    TempDir dir;
    WriteFile(dir.File("disc.cdg"), Bytes(2448));
    EXPECT_EQ(ChooserStart(dir.File("disc.cdg")), dir.File("disc.cdg"));
    EXPECT_EQ(ChooserStart(dir.File("gone.cdg")), dir.path().string());
    EXPECT_EQ(ChooserStart(dir.File("gone/disc.cdg")), "");
}

// A file cut short while it plays stops the player with a read error; it
// plays again once asked.
TEST(PlayerDecisions, FileCutShortWhilePlaying) {
    TempDir dir;
    UseAudioDriver("dummy");
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
