// The player window as the user meets it: opened from the main window's
// context menu beside it, heard through SDL's disk driver, driven by its
// keys and the mouse.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/slider.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <chrono>
#include <filesystem>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/player_dlg.h"
#include "app/player_text.h"
#include "gui/gui_helpers.h"
#include "player/cdg_stream.h"
#include "player_image.h"
#include "res/resource_ids.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

// A click as the user makes it, through the X server.
void ClickOn(wxWindow* control) {
    wxUIActionSimulator mouse;
    mouse.MouseMove(control->GetScreenRect().GetPosition() + control->GetSize() / 2);
    PumpFor(50ms);
    mouse.MouseClick();
    PumpFor(100ms);
}

// Closes the window and waits until the toolkit has destroyed it.
bool ClosePlayer(CPlayerDlg* player) {
    wxWeakRef<CPlayerDlg> open(player);
    player->Close();
    return PumpUntil([&] { return !open; }, 5s);
}

// A .cdg stream: the subcode of each of the image's sectors.
void WriteCdgStream(const std::string& image, const std::string& stream) {
    WriteFile(stream, SubcodeOf(ReadFile(image)));
}

// The window shows the screen after the last sector of `image`, each pixel
// a square block of the window's factor.
void ExpectShows(CPlayerDlg& player, const std::string& image) {
    CdgPlayer model;
    ASSERT_FALSE(model.Open(image));
    EXPECT_EQ(player.Session().screen(), model.FinalScreen());
    const wxImage shown = GrabScreen(player.Screen());
    const RgbScreen expected = RenderRgb(model.FinalScreen());
    const int f = player.ScreenFactor();
    ASSERT_EQ(shown.GetWidth(), kCdgWidth * f);
    int differing = 0;
    for (int y = 0; y < kCdgHeight * f; ++y) {
        for (int x = 0; x < kCdgWidth * f; ++x) {
            const std::uint8_t* want = &expected[(y / f * kCdgWidth + x / f) * 3];
            differing += shown.GetRed(x, y) != want[0] || shown.GetGreen(x, y) != want[1] ||
                         shown.GetBlue(x, y) != want[2];
        }
    }
    EXPECT_EQ(differing, 0);
}

// What the disk driver wrote: silence while paused, then the whole sound
// (aligned on its first non-zero byte), then silence again.
void ExpectHeard(const Bytes& heard, const Bytes& sound) {
    std::size_t start = 0;
    while (start < heard.size() && heard[start] == 0) ++start;
    std::size_t first = 0;
    while (first < sound.size() && sound[first] == 0) ++first;
    const std::size_t length = sound.size() - first;
    ASSERT_GE(heard.size(), start + length);
    EXPECT_TRUE(std::equal(sound.begin() + first, sound.end(), heard.begin() + start));
    EXPECT_TRUE(std::all_of(heard.begin() + start + length, heard.end(),
                            [](std::uint8_t b) { return b == 0; }));
}

class PlayerWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        SetBoxShower([this](const BoxRequest& box) { boxes.push_back(box.text); });
        SetChooserShower([this](wxWindow*, bool open, const std::string& title, const std::string&,
                                const std::string&) {
            chooserTitles.push_back(title);
            return FileChoice{open && !chosen.empty(), chosen};
        });
        main = std::make_unique<CMainDlg>(state, picture);
        main->Show();
        PumpFor(50ms);
    }
    void TearDown() override {
        main.reset();
        SetBoxShower({});
        SetChooserShower({});
    }

    // "Play image..." with `path` chosen: the player it opens, or none.
    CPlayerDlg* PlayFromMenu(const std::string& path) {
        chosen = path;
        main->OnPlayImage();
        PumpFor(50ms);
        return CPlayerDlg::Find(main.get());
    }

    JobState state;
    Picture picture;
    std::unique_ptr<CMainDlg> main;
    std::vector<std::string> boxes;
    std::vector<std::string> chooserTitles;
    std::string chosen;
    TempDir dir;
};

// The bytes SDL would have played are the image's audio (or the sound file
// beside a .cdg), all of it, once; the screen at the end is the image's last
// screen, scaled.
TEST_F(PlayerWindowTest, PlaysToTheEndWithEveryByteOfTheSound) {
    const PlayerImage image = MakePlayerImage(dir.File("disc.cdg"), 4.0);
    WriteCdgStream(image.path, dir.File("stream.cdg"));
    WriteFile(dir.File("audio.raw"), image.audio);
    const std::string flac = "ffmpeg -v error -f s16le -ar 44100 -ac 2 -i " +
                             dir.File("audio.raw") + " " + dir.File("stream.flac");
    ASSERT_EQ(std::system(flac.c_str()), 0);
    struct Case {
        std::string file;
        std::string status;
    };
    const Case cases[] = {
        {"disc.cdg", "Picture complete at 4.00 s."},
        {"stream.cdg", "Sound from stream.flac.  Picture complete at 4.00 s."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string heard = dir.File(c.file + ".heard");
        UseAudioDriver("disk", heard, 1);
        CPlayerDlg* player = PlayFromMenu(dir.File(c.file));
        ASSERT_NE(player, nullptr);
        EXPECT_TRUE(PumpUntil([&] { return !player->Session().playing(); }, 20s));
        PumpFor(100ms);
        EXPECT_EQ(player->TimeText(), "0:04 / 0:04");
        EXPECT_EQ(player->StatusLine(), c.status);
        EXPECT_EQ(player->PlayButton()->GetLabel(), "&Play");
        ExpectShows(*player, image.path);
        EXPECT_TRUE(ClosePlayer(player));
        EXPECT_TRUE(boxes.empty());
        ExpectHeard(ReadFile(heard), image.audio);
    }
    EXPECT_EQ(chooserTitles, std::vector<std::string>(2, "Play image"));
}

// A file that cannot be played gives one clear box and no window (the
// player tests check each reason's words); one that plays with something
// missing says so on the status line.
TEST_F(PlayerWindowTest, WhatTheWindowSaysAboutEachFile) {
    const PlayerImage image = MakePlayerImage(dir.File("disc.cdg"), 2.0);
    Bytes tailed = ReadFile(image.path);
    tailed.resize(tailed.size() + 1000, 0xAA);
    WriteFile(dir.File("tailed.cdg"), tailed);
    WriteCdgStream(image.path, dir.File("stream.cdg"));
    WriteCdgStream(image.path, dir.File("broken.cdg"));
    WriteFile(dir.File("broken.mp3"), Bytes(5000, 0x55));
    // The file, the audio driver, the box ("" when the window opens) or the
    // start of the window's status line.
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"missing.cdg", "dummy", "Cannot play \"missing.cdg\":\nNo such file or directory.", ""},
        {"tailed.cdg", "dummy", "", "Ignored the last 1,000 bytes: not a whole sector."},
        {"disc.cdg", "no-such-driver", "",
         "No audio device (Audio target 'no-such-driver' not available): playing silently."},
        {"stream.cdg", "dummy", "",
         "No .mp3, .wav, .ogg or .flac file of the same name beside it: no sound."},
        {"broken.cdg", "dummy", "",
         "broken.mp3 cannot be played (Invalid data found when processing input): no sound."},
    };
    for (const auto& [file, driver, box, status] : cases) {
        SCOPED_TRACE(file + " " + driver);
        UseAudioDriver(driver);
        boxes.clear();
        std::string shown = "(no window)";
        if (CPlayerDlg* player = PlayFromMenu(dir.File(file))) {
            shown = player->StatusLine();
            EXPECT_TRUE(ClosePlayer(player));
        }
        EXPECT_EQ(boxes, box.empty() ? std::vector<std::string>{} : std::vector{box});
        EXPECT_EQ(shown, box.empty() ? status + "  Picture complete at 2.00 s." : "(no window)");
    }
}

// The main window runs modally, as in the program, with the player playing
// beside it; real clicks reach both. Start runs a job, Stop stops it, the
// next run reaches its end; Pause reaches the player; Exit ends the main
// window and the player with it.
TEST_F(PlayerWindowTest, TheMainWindowWorksWhileThePlayerPlays) {
    const PlayerImage image = MakePlayerImage(dir.File("disc.cdg"), 60.0);
    UseAudioDriver("dummy");
    DialogModel& model = main->Model();
    model.bitmapPath = dir.File("picture.bmp");
    model.wavePath = dir.File("song.wav");
    model.outputPath = dir.File("new.cdg");
    picture = RandomPicture(3);
    UpdatePreviewInfo(picture);
    WriteFile(model.bitmapPath, MakeBmp(picture));
    const std::size_t audioBytes = 60 * 44100 * 4;
    WriteFile(model.wavePath, MakeWav(audioBytes));
    state.bitmapValid = state.waveValid = state.outputChosen = true;
    state.audioDataOffset = static_cast<std::int64_t>(WavHeaderBytes());
    state.waveFileLength = static_cast<std::int64_t>(WavHeaderBytes() + audioBytes);
    const auto lastLogLine = [this] {
        const wxArrayString lines = main->LogList()->GetStrings();
        return lines.empty() ? std::string() : std::string(lines.Last().utf8_str());
    };

    main->Hide();
    main->Move(0, 0);
    wxWeakRef<CPlayerDlg> player;
    main->CallAfter([&] {
        player = PlayFromMenu(image.path);
        if (!player) return main->EndModal(wxID_ABORT);
        const wxRect display = wxGetClientDisplayRect();
        player->Move(display.GetBottomRight() - player->GetSize() + wxSize(1, 1));
        PumpFor(100ms);
        ClickOn(main->StartButton());
        EXPECT_TRUE(PumpUntil([&] { return main->ProgressBar()->GetValue() >= 30; }, 20s));
        ClickOn(main->StartButton());
        EXPECT_TRUE(PumpUntil([&] { return lastLogLine().ends_with("Canceled by user"); }, 20s));
        EXPECT_TRUE(PumpUntil([&] { return main->StartButton()->IsEnabled(); }, 5s));
        EXPECT_TRUE(player->Session().playing());
        ClickOn(main->StartButton());
        EXPECT_TRUE(PumpUntil([&] { return !boxes.empty(); }, 20s));
        EXPECT_TRUE(player->Session().playing());
        ClickOn(player->PlayButton());
        EXPECT_FALSE(player->Session().playing());
        ClickOn(main->ExitButton());
        if (main->IsModal()) main->EndModal(wxID_ABORT);
    });
    EXPECT_EQ(main->ShowModal(), wxID_CANCEL);
    EXPECT_TRUE(PumpUntil([&] { return !player; }, 5s));
    EXPECT_EQ(boxes, std::vector<std::string>{"CD+G file successfully created!"});
    EXPECT_EQ(std::filesystem::file_size(model.outputPath), std::uintmax_t(60 * 75 * 2448));
}

// Real key presses through the X server, wherever the focus is: Space plays
// (on a focused button it presses that button), Left/Right seek 5 s,
// Page Up/Down 30 s, Home/End jump, keys with Ctrl are left to the toolkit,
// Plus and Minus zoom, F1 asks the main window for the help page, Tab
// reaches every control, Space on the focused Close button closes.
TEST_F(PlayerWindowTest, KeysWorkWhereverTheFocusIs) {
    const PlayerImage image = MakePlayerImage(dir.File("disc.cdg"), 60.0);
    UseAudioDriver("dummy");
    auto session = std::make_unique<PlayerSession>();
    ASSERT_FALSE(session->Open(image.path));
    wxWeakRef<CPlayerDlg> player(new CPlayerDlg(main.get(), std::move(session), image.path));
    player->Show();
    wxUIActionSimulator keys;
    keys.MouseMove(player->GetScreenRect().GetLeftTop() + wxPoint(40, 40));
    PumpFor(100ms);
    PlayerSession& playing = player->Session();
    playing.PlayPause();  // it opens playing

    // From (seconds, paused), the key and its modifiers, the focus on the
    // slider or the Play button, then where it is and whether it plays.
    const std::tuple<double, int, int, bool, double, bool> cases[] = {
        {10, WXK_RIGHT, wxMOD_NONE, false, 15, false},
        {10, WXK_LEFT, wxMOD_NONE, true, 5, false},
        {12, WXK_HOME, wxMOD_NONE, false, 0, false},
        {12, WXK_END, wxMOD_NONE, true, 60, false},
        {12, WXK_RIGHT, wxMOD_CONTROL, false, 12, false},
        {12, WXK_PAGEDOWN, wxMOD_NONE, true, 42, false},
        {12, WXK_PAGEDOWN, wxMOD_NONE, false, 42, false},
        {40, WXK_PAGEUP, wxMOD_NONE, false, 10, false},
        {12, WXK_SPACE, wxMOD_NONE, true, 12, true},
        {12, WXK_SPACE, wxMOD_NONE, false, 12, true},
    };
    for (const auto& [from, key, modifiers, onSlider, to, playsAfter] : cases) {
        SCOPED_TRACE(testing::Message() << from << " s, key " << key << ", slider " << onSlider);
        if (playing.playing()) playing.PlayPause();
        playing.Seek(static_cast<std::uint64_t>(from * 75));
        (onSlider ? static_cast<wxWindow*>(player->TimeSlider()) : player->PlayButton())
            ->SetFocus();
        PumpFor(50ms);
        keys.Char(key, modifiers);
        PumpFor(100ms);
        EXPECT_EQ(playing.playing(), playsAfter);
        EXPECT_NEAR(playing.position() / 75.0, to, playsAfter ? 0.6 : 0.0);
        if (!playsAfter) {
            EXPECT_EQ(player->TimeText(), PositionText(playing.position(), 60 * 75));
            EXPECT_EQ(player->TimeSlider()->GetValue(), static_cast<int>(playing.position()));
        }
    }

    for (const auto& [key, factor] : {std::pair{'+', 3}, {'-', 2}, {'-', 1}, {'+', 2}}) {
        keys.MouseMove(player->GetScreenRect().GetLeftTop() + wxPoint(40, 40));
        PumpFor(50ms);
        keys.Char(key);
        PumpFor(100ms);
        EXPECT_EQ(player->ScreenFactor(), factor);
        EXPECT_EQ(player->Screen()->GetSize(), wxSize(300 * factor, 216 * factor));
    }
    keys.MouseMove(player->GetScreenRect().GetLeftTop() + wxPoint(40, 40));

    int helpRequests = 0;
    main->Bind(wxEVT_HELP, [&](wxHelpEvent&) { ++helpRequests; });
    keys.Char(WXK_F1);
    keys.Char(WXK_F1, wxMOD_SHIFT);
    PumpFor(100ms);
    EXPECT_EQ(helpRequests, 1);

    player->PlayButton()->SetFocus();
    PumpFor(50ms);
    wxWindow* const closeButton = player->FindWindow(wxID_CANCEL);
    const std::pair<wxWindow*, int> tabs[] = {{player->TimeSlider(), wxMOD_NONE},
                                              {closeButton, wxMOD_NONE},
                                              {player->PlayButton(), wxMOD_NONE},
                                              {closeButton, wxMOD_SHIFT}};
    for (const auto& [next, modifiers] : tabs) {
        keys.Char(WXK_TAB, modifiers);
        PumpFor(50ms);
        EXPECT_EQ(wxWindow::FindFocus(), next);
    }
    keys.Char(WXK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !player; }, 5s));
}

}  // namespace
}  // namespace orvane::test
