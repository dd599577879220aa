// The window driven from the keyboard alone, with real key presses through
// the X server: right after a run and a Stop the keys still reach it, and
// the keyboard's context menu opens at the focused control.
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "about/desktop_opener.h"
#include "app/message_box.h"
#include "gui_helpers.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

class KeyboardTest : public HelpPageTest {
  protected:
    void SetUp() override {
        HelpPageTest::SetUp();
        // Without a window manager the keyboard follows the pointer: over
        // the preview, away from every control the tests focus.
        keys.MouseMove(dlg->ClientToScreen(wxPoint(300, 100)));
        PumpFor(100ms);
    }
    bool LogEndsWith(const std::string& end) {
        const std::string last = LastLogLine();
        return last.size() >= end.size() && last.ends_with(end);
    }

    wxUIActionSimulator keys;
};

// Closes the next modal box with a real Enter, as a user would: the pointer
// over it first, since the keyboard follows the pointer without a window
// manager. The box runs its own loop, so a timer inside it does the work.
class EnterOnTheNextBox : public wxModalDialogHook {
  public:
    EnterOnTheNextBox() {
        Register();
        press_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
            wxUIActionSimulator keys;
            keys.MouseMove(over_);
            wxYield();
            keys.Char(WXK_RETURN);
        });
    }
    ~EnterOnTheNextBox() override { Unregister(); }
    std::vector<std::string> shown;  // the boxes' texts
    int closed = 0;

  protected:
    int Enter(wxDialog* box) override {
        if (const auto* message = dynamic_cast<wxMessageDialogBase*>(box))
            shown.emplace_back(message->GetMessage().utf8_str());
        // Centred on the window that owns it.
        wxWindow* owner = box->GetParent();
        over_ = owner ? owner->GetScreenRect().GetPosition() + owner->GetSize() / 2 : wxPoint();
        press_.StartOnce(300);
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { ++closed; }

  private:
    wxTimer press_;
    wxPoint over_;
};

// Start pressed with Space; the run either ends by itself, with the real
// success box closed by Enter, or is stopped with Space. The Start button is
// disabled while it has the focus, until the job's thread has ended: F1 and
// Escape must work at once all the same, and the focus must come back to
// Start for the next Space.
TEST_F(KeyboardTest, KeysWorkRightAfterARunAndAfterStop) {
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "completed");
        std::optional<EnterOnTheNextBox> enter;
        if (stop) {
            SetBoxShower([this](const BoxRequest& box) { boxes.push_back(box.text); });
            dlg = std::make_unique<CMainDlg>(state, picture);
            dlg->Show();
            PumpFor(100ms);
        } else {
            SetBoxShower({});
            enter.emplace();
        }
        ChooseFiles(stop ? 60 : 25);
        dlg->StartButton()->SetFocus();
        PumpFor(50ms);
        keys.Char(WXK_SPACE);
        ASSERT_TRUE(PumpUntil([&] { return dlg->StartButton()->GetLabel() == "&Stop"; }, 5s));
        if (stop) {
            ASSERT_TRUE(PumpUntil([&] { return dlg->ProgressBar()->GetValue() >= 10; }));
            keys.Char(WXK_SPACE);
        }
        ASSERT_TRUE(
            PumpUntil([&] { return LogEndsWith(stop ? "Canceled by user" : "Completed"); }));
        if (enter) {
            EXPECT_EQ(enter->shown, std::vector<std::string>{"CD+G file successfully created!"});
            EXPECT_EQ(enter->closed, 1);
        }

        const std::size_t before = opened.size();
        keys.Char(WXK_F1);
        EXPECT_TRUE(PumpUntil([&] { return opened.size() == before + 1; }, 5s));

        ASSERT_TRUE(PumpUntil([&] { return dlg->StartButton()->IsEnabled(); }, 5s));
        EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == dlg->StartButton(); }, 2s));
        keys.Char(WXK_ESCAPE);
        EXPECT_TRUE(PumpUntil([&] { return !dlg->IsShown(); }, 5s));
        dlg->EndJob();
    }
}

// The X server's own picture of the screen (ImageMagick's import), as raw
// RGB: a popup menu is a window of its own, which the toolkit's screen grabs
// leave out.
struct Screen {
    int width = 0;
    Bytes rgb;
    bool IsOk() const { return !rgb.empty(); }
};

Screen GrabWholeScreen(const TempDir& dir) {
    const std::string path = dir.File("screen.rgb");
    if (std::system(("import -window root -depth 8 'rgb:" + path + "' 2>/dev/null").c_str()) != 0)
        return {};
    return {wxGetDisplaySize().x, ReadFile(path)};
}

// Where two grabs of the screen differ.
wxRect Changed(const Screen& a, const Screen& b) {
    wxRect box;
    if (a.rgb.size() != b.rgb.size()) return box;
    for (std::size_t i = 0; i + 2 < a.rgb.size(); i += 3) {
        if (a.rgb[i] == b.rgb[i] && a.rgb[i + 1] == b.rgb[i + 1] && a.rgb[i + 2] == b.rgb[i + 2])
            continue;
        const int pixel = static_cast<int>(i / 3);
        const wxRect at(pixel % a.width, pixel / a.width, 1, 1);
        box = box.IsEmpty() ? at : box.Union(at);
    }
    return box;
}

// The Menu key and Shift+F10 open the menu at the focused control's left
// edge, not at the mouse pointer.
TEST_F(KeyboardTest, KeyboardMenuOpensAtTheFocusedControl) {
    wxRect menuAt;
    Screen plain;
    wxTimer look;
    look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const Screen shown = GrabWholeScreen(dir);
        if (shown.IsOk() && plain.IsOk()) menuAt = Changed(plain, shown);
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    dlg->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        if (event.IsPopup()) look.StartOnce(300);
        event.Skip();
    });
    for (wxWindow* focus :
         {static_cast<wxWindow*>(dlg->LogList()), static_cast<wxWindow*>(dlg->StartButton())}) {
        for (const bool menuKey : {true, false}) {
            focus->SetFocus();
            PumpFor(100ms);
            plain = GrabWholeScreen(dir);
            ASSERT_TRUE(plain.IsOk()) << "ImageMagick's import is needed";
            menuAt = {};
            if (menuKey) {
                keys.Char(WXK_MENU);
            } else {
                keys.Char(WXK_F10, wxMOD_SHIFT);
            }
            ASSERT_TRUE(PumpUntil([&] { return !menuAt.IsEmpty(); }, 5s));
            PumpFor(200ms);
            const wxRect control = focus->GetScreenRect();
            EXPECT_NEAR(menuAt.x, control.x, 12) << focus->GetName() << " " << menuKey;
            EXPECT_TRUE(menuAt.Intersects(
                            wxRect(control.x, control.y, control.width, control.height + 12)) ||
                        menuAt.y >= control.GetBottom())
                << menuAt.y << " " << control.GetBottom();
        }
    }
}

}  // namespace
}  // namespace orvane::test
