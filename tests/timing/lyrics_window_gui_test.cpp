// The lyrics in the real windows: a text without times dropped on the main
// window opening the Lyrics window, Use for the image,
// and corrections made with the mouse and keys in the Lyrics window.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dnd.h>
#include <wx/uiaction.h>

#include "app/drop_target.h"
#include "app/lyrics/lyrics_dlg.h"
#include "app/lyrics/lyrics_views.h"
#include "app/message_box.h"
#include "gui/gui_helpers.h"
#include "res/resource_ids.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

class LyricsWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetQuestionShower([this](const BoxRequest& box) {
            questions.push_back(box.text);
            return answer;
        });
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void TearDown() override {
        SetQuestionShower({});
        unsetenv("SDL_AUDIODRIVER");
        MainWindowTest::TearDown();
    }
    std::string Make(const std::string& name, const std::string& text) {
        WriteFile(dir.File(name), Bytes(text.begin(), text.end()));
        return dir.File(name);
    }
    void Drop(const std::string& path) {
        auto* target = dynamic_cast<FileDropTarget*>(dlg->GetDropTarget());
        ASSERT_NE(target, nullptr);
        wxArrayString names;
        names.Add(wxString::FromUTF8(path));
        EXPECT_TRUE(target->OnDropFiles(10, 10, names));
        PumpFor(50ms);
    }

    std::vector<std::string> questions;
    bool answer = true;
};

TEST_F(LyricsWindowTest, MainWindowTimesADroppedTextAndTakesItBack) {
    // The tools button sits between Start and Exit.
    const wxRect tools = dlg->ToolsButton()->GetRect();
    EXPECT_GT(tools.GetLeft(), dlg->StartButton()->GetRect().GetRight());
    EXPECT_LT(tools.GetRight(), dlg->ExitButton()->GetRect().GetLeft());

    // A dropped text without times: asked, then timed in the Lyrics window
    // and handed back with Use for the image.
    const std::string text = Make("words.txt", "Hel/lo world\n");
    Drop(text);
    ASSERT_EQ(questions.size(), 1u);
    LyricsDlg* window = dlg->LyricsWindow();
    ASSERT_NE(window, nullptr);
    TimingModel& model = window->Session().Model();
    ASSERT_EQ(model.SlotCount(), 4u);
    for (const std::int64_t ms : {500, 800, 1200}) model.Tap(ms);
    auto* use = dynamic_cast<wxButton*>(window->FindWindowByLabel("&Use for the image"));
    ASSERT_NE(use, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, use->GetId());
    click.SetEventObject(use);
    use->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(LastLogLine().substr(13), "Lyrics loaded: " + text + " (1 lines, 2 words)");
    ASSERT_TRUE(dlg->Model().lyrics);
    EXPECT_EQ(dlg->Model().lyrics->lines[0].syllables[1].startMs, 800);

    // Closing it, or the main window, with changes not saved asks; No keeps
    // both open.
    answer = false;
    window->Close();
    Click(wxID_CANCEL);
    PumpFor(50ms);
    EXPECT_EQ(dlg->LyricsWindow(), window);
    EXPECT_TRUE(dlg->IsShown());
    EXPECT_EQ(questions.size(), 3u);
    answer = true;
    window->Close();
    PumpUntil([this] { return dlg->LyricsWindow() == nullptr; }, 2s);
    EXPECT_EQ(dlg->LyricsWindow(), nullptr);
}

// Mouse and keys as the author uses them: a click on a word moves the next
// tap to it, a drag on the strip moves one mark, Alt+Right moves it 10 ms,
// Ctrl+Z takes that back.
TEST_F(LyricsWindowTest, CorrectionsWithTheMouseAndKeysChangeOneMarkEach) {
    const std::string lrc =
        Make("timed.lrc", "[00:01.00]<00:01.00>One <00:01.50>two <00:02.00>three <00:02.60>\n");
    dlg->OnTimeLyrics();
    LyricsDlg* window = dlg->LyricsWindow();
    ASSERT_NE(window, nullptr);
    window->OpenLyricsFile(lrc);
    window->SetSize(wxSize(1100, 620));
    PumpFor(200ms);
    TimingModel& model = window->Session().Model();
    const TimingState opened = model.State();

    wxUIActionSimulator mouse;
    const wxRect two = window->TextView()->WordRect(1);
    ASSERT_FALSE(two.IsEmpty());
    mouse.MouseMove(window->TextView()->ClientToScreen(two.GetPosition() + wxPoint(3, 3)));
    mouse.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return model.Cursor() == 1; }, 2s));
    EXPECT_EQ(model.Selected(), 1u);

    // Drag "three" (2.00 s) 60 pixels right on the strip, paused where it shows.
    window->Session().Pause();
    window->Session().SeekMs(1500);
    window->Tick();
    WaveStrip* strip = window->Strip();
    const StripView view = strip->View();
    const wxPoint from = strip->ClientToScreen(wxPoint(view.XFor(2000), 40));
    mouse.MouseMove(from);
    mouse.MouseDown();
    mouse.MouseMove(from + wxPoint(30, 0));
    mouse.MouseMove(from + wxPoint(60, 0));
    mouse.MouseUp();
    PumpFor(100ms);
    EXPECT_NEAR(static_cast<double>(*model.Mark(2)), 2000 + 60 * view.msPerPixel, view.msPerPixel);

    mouse.MouseMove(window->TextView()->GetScreenRect().GetLeftTop() + wxPoint(2, 2));
    PumpFor(50ms);
    const std::int64_t dragged = *model.Mark(2);
    mouse.Char(WXK_RIGHT, wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return model.Mark(2) == dragged + 10; }, 2s));
    mouse.Char('z', wxMOD_CONTROL);
    mouse.Char('z', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return model.State().marks == opened.marks; }, 2s));
    window->Close();
    PumpFor(50ms);
}

}  // namespace
}  // namespace orvane::test
