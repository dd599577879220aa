// The About box as a user meets it: real windows under the virtual display,
// keys and clicks through the X test extension.
#include "about/about_dlg.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>

#include "about_test_support.h"
#include "res/layouts.h"
#include "support/gui_test_support.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

constexpr int kTimedOut = 4242;

class AboutDlgTest : public testing::Test {
  protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "Orvane", wxPoint(0, 0), wxSize(900, 700));
        frame->Show();
        test::PumpFor(100ms);
    }
    void TearDown() override {
        frame->Destroy();
        test::PumpFor(50ms);
    }

    // Runs the box modally; `action` runs once it is on screen, and a box
    // still open after ten seconds is ended with kTimedOut.
    int RunModal(CAboutDlg& dlg, const std::function<void()>& action) {
        wxTimer act, guard;
        bool acted = false;
        act.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            // A slow display may take a while to show the box: act once it is there.
            if (acted || !dlg.IsShownOnScreen()) return;
            acted = true;
            // Without a window manager the keyboard follows the pointer.
            wxUIActionSimulator().MouseMove(dlg.GetScreenRect().GetLeftTop() + wxPoint(20, 20));
            action();
        });
        guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (dlg.IsModal()) dlg.EndModal(kTimedOut);
        });
        act.Start(200);
        guard.StartOnce(10000);
        return dlg.ShowModal();
    }

    // Clicks the middle of `window` and lets the events arrive: until
    // `arrived` is true, or for a while when nothing is to arrive.
    void ClickOn(wxWindow& window, const std::function<bool()>& arrived = {}) {
        wxUIActionSimulator sim;
        sim.MouseMove(window.GetScreenRect().GetLeftTop() + wxPoint(4, window.GetSize().y / 2));
        test::PumpFor(50ms);
        sim.MouseClick();
        if (arrived) {
            EXPECT_TRUE(test::PumpUntil(arrived, 5s)) << window.GetLabel();
        } else {
            test::PumpFor(200ms);
        }
    }

    wxFrame* frame = nullptr;
    test::FakeDesktop desktop;
};

TEST_F(AboutDlgTest, EnterEscapeAndTheCloseBoxCloseItAnyNumberOfTimes) {
    for (int round = 0; round < 3; ++round) {
        CAboutDlg enter(frame);
        EXPECT_EQ(RunModal(enter, [] { wxUIActionSimulator().Char(WXK_RETURN); }), wxID_OK);
        CAboutDlg escape(frame);
        const int escaped = RunModal(escape, [] { wxUIActionSimulator().Char(WXK_ESCAPE); });
        EXPECT_NE(escaped, kTimedOut);
        CAboutDlg closeBox(frame);
        // What the close box does; the result is not read back.
        EXPECT_NE(RunModal(closeBox, [&] { closeBox.Close(); }), kTimedOut);
    }
}

TEST_F(AboutDlgTest, ShowsTheLayoutWithOkAsDefaultAndFocus) {
    CAboutDlg dlg(frame);
    EXPECT_EQ(dlg.GetTitle(), "About Orvane");
    EXPECT_EQ(dlg.GetChildren().size(), AboutLayout().controls.size());
    auto* ok = wxDynamicCast(dlg.FindWindow(wxID_OK), wxButton);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(dlg.GetDefaultItem(), ok);
    bool focusOnOk = false;
    RunModal(dlg, [&] {
        focusOnOk = wxWindow::FindFocus() == ok;
        dlg.EndModal(wxID_OK);
    });
    EXPECT_TRUE(focusOnOk);

    for (wxWindow* child : dlg.GetChildren()) {
        if (auto* icon = wxDynamicCast(child, wxStaticBitmap)) {
            EXPECT_EQ(icon->GetSize(), wxSize(32, 32));
        }
    }
    EXPECT_EQ(dlg.VersionLabel().GetLabel(), "Orvane Version 0.1 Beta");
    EXPECT_EQ(dlg.VersionLabel().FontDescription().weight, 700);
    EXPECT_FALSE(dlg.VersionLabel().Notifies());
    EXPECT_EQ(dlg.VersionLabel().TextColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    for (CLinkLabel* link : {&dlg.WebsiteLink(), &dlg.EmailLink()}) {
        EXPECT_TRUE(link->Notifies());
        EXPECT_EQ(link->TextColor(), wxColour(0, 0, 255));
        EXPECT_EQ(link->FontDescription().underline, 1);
        EXPECT_TRUE(link->GetCursor().IsOk());
    }
}

// Every caption fits its control, and no two controls (frames aside) overlap.
TEST_F(AboutDlgTest, NoTextIsClippedAndNothingOverlaps) {
    CAboutDlg dlg(frame);
    std::vector<wxRect> placed;
    const wxSize client = dlg.GetClientSize();
    for (wxWindow* child : dlg.GetChildren()) {
        if (child->IsKindOf(wxCLASSINFO(wxStaticBox))) continue;
        const wxRect r = child->GetRect();
        EXPECT_LE(r.GetRight(), client.x) << child->GetLabel();
        EXPECT_LE(r.GetBottom(), client.y) << child->GetLabel();
        if (child->IsKindOf(wxCLASSINFO(wxStaticText)) || dynamic_cast<CLinkLabel*>(child)) {
            int width = 0, height = 0;
            child->GetTextExtent(child->GetLabel(), &width, &height);
            EXPECT_GE(r.width, width) << child->GetLabel();
            EXPECT_GE(r.height, height) << child->GetLabel();
        }
        for (const wxRect& other : placed) {
            EXPECT_FALSE(r.Intersects(other)) << child->GetLabel();
        }
        placed.push_back(r);
    }
}

TEST_F(AboutDlgTest, ClicksOnTheLinksOpenTheirTargetsAndNothingElseDoes) {
    CAboutDlg dlg(frame);
    dlg.Show();
    ASSERT_TRUE(test::PumpUntil([&] { return dlg.IsShownOnScreen(); }, 5s));
    test::PumpFor(200ms);

    ClickOn(dlg.VersionLabel());
    for (wxWindow* child : dlg.GetChildren()) {
        if (child->GetLabel() == "Website:") ClickOn(*child);
    }
    EXPECT_TRUE(desktop.opened.empty());

    ClickOn(dlg.WebsiteLink(), [&] { return desktop.opened.size() == 1; });
    ClickOn(dlg.EmailLink(), [&] { return desktop.opened.size() == 2; });
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{"https://orvane.example.org/",
                                                        "mailto:orvane@example.org"}));
    dlg.Hide();
}

// The link is drawn in pure blue straight on the dialog's face: no text cell
// or grey box behind the letters.
TEST_F(AboutDlgTest, LinksDrawBlueOnTheDialogFace) {
    CAboutDlg dlg(frame);
    dlg.Show();
    ASSERT_TRUE(test::PumpUntil([&] { return dlg.IsShownOnScreen(); }, 5s));
    test::PumpFor(300ms);

    CLinkLabel& link = dlg.WebsiteLink();
    const wxSize size = link.GetSize();
    wxClientDC screen(&link);
    wxBitmap shot(size);
    wxMemoryDC memory(shot);
    memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    memory.SelectObject(wxNullBitmap);
    const wxImage image = shot.ConvertToImage();

    const wxColour face = dlg.GetBackgroundColour();
    int blue = 0, plainFace = 0;
    for (int y = 0; y < size.y; ++y) {
        for (int x = 0; x < size.x; ++x) {
            const wxColour c(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
            blue += c == wxColour(0, 0, 255) ? 1 : 0;
            plainFace += c == face ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 20);  // at least the underline
    EXPECT_GT(plainFace, size.x * size.y / 2);
    dlg.Hide();
}

// F1 asks the main window, the box's parent, for help; with a modifier held
// it does nothing.
TEST_F(AboutDlgTest, F1AsksTheParentForHelp) {
    CAboutDlg dlg(frame);
    int parentHelp = 0;
    frame->Bind(wxEVT_HELP, [&](wxHelpEvent&) { ++parentHelp; });
    for (const int modifiers : {wxMOD_NONE, wxMOD_SHIFT, wxMOD_CONTROL, wxMOD_ALT}) {
        wxKeyEvent f1(wxEVT_CHAR_HOOK);
        f1.m_keyCode = WXK_F1;
        f1.SetShiftDown(modifiers == wxMOD_SHIFT);
        f1.SetControlDown(modifiers == wxMOD_CONTROL);
        f1.SetAltDown(modifiers == wxMOD_ALT);
        f1.SetEventObject(&dlg);
        dlg.GetEventHandler()->ProcessEvent(f1);
    }
    EXPECT_EQ(parentHelp, 1);
}

}  // namespace
}  // namespace orvane
