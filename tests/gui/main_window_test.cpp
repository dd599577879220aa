// The main window as it opens: its controls, the preview, help and menus.
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <filesystem>

#include "about/about_dlg.h"
#include "about/desktop_opener.h"
#include "app/message_box.h"
#include "app/system_menu.h"
#include "gui_helpers.h"
#include "res/layout_builder.h"
#include "res/resource_ids.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

void CollectLabels(wxWindow* window, std::vector<std::string>& labels) {
    for (wxWindow* child : window->GetChildren()) {
        labels.emplace_back(child->GetLabel().utf8_str());
        CollectLabels(child, labels);
    }
}

TEST_F(MainWindowTest, OpensWithEveryControlInPlaceAndNoPlaceholderText) {
    EXPECT_EQ(dlg->GetTitle(), "Orvane");
    for (int id : {IDC_BROWSE_BITMAP, IDC_BROWSE_WAVE, IDC_BROWSE_OUTPUT, IDC_BITMAP_PATH,
                   IDC_WAVE_PATH, IDC_GRAPHICS_FRAME, IDC_START, IDC_PROGRESS, IDC_PROGRESS_FRAME,
                   IDC_OUTPUT_PATH, IDC_LOG, int(wxID_CANCEL)})
        EXPECT_NE(dlg->FindWindow(id), nullptr) << id;
    // Every layout control is where the layout puts it (path fields: their frame).
    for (const ControlSpec& entry : MainLayout().controls) {
        if (entry.id < 0) continue;
        wxWindow* control = dlg->FindWindow(WindowIdFor(entry.id));
        if (entry.kind == ControlKind::PathField) control = control->GetParent();
        EXPECT_EQ(control->GetRect(), DialogUnitsToPixels(dlg.get(), entry)) << entry.id;
    }

    std::vector<std::string> labels;
    CollectLabels(dlg.get(), labels);
    for (const std::string& label : labels) {
        EXPECT_NE(label, "Static");
        EXPECT_NE(label, "Button1");
        EXPECT_NE(label, "Progress1");
    }
    EXPECT_EQ(dlg->StartButton()->GetLabel(), "&Start");
    EXPECT_EQ(dlg->ExitButton()->GetLabel(), "E&xit");
    EXPECT_EQ(dlg->ProgressBar()->GetRange(), 100);
    EXPECT_TRUE(dlg->LogList()->HasFlag(wxLB_ALWAYS_SB));
    auto* browse = dynamic_cast<wxBitmapButton*>(dlg->FindWindow(IDC_BROWSE_WAVE));
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->GetBitmapLabel().GetSize(), wxSize(18, 15));
    EXPECT_TRUE(dlg->PathField(IDC_BITMAP_PATH)->GetParent()->HasFlag(wxBORDER_SUNKEN));
}

TEST_F(MainWindowTest, KeepsItsSizeAndStartsWithTheFocusOnExit) {
    EXPECT_FALSE(dlg->HasFlag(wxRESIZE_BORDER));
    EXPECT_FALSE(dlg->HasFlag(wxMAXIMIZE_BOX));
    EXPECT_EQ(dlg->GetMinSize(), dlg->GetMaxSize());
    EXPECT_EQ(dlg->GetClientSize(), LayoutClientSize(dlg.get(), MainLayout()));
    EXPECT_EQ(wxWindow::FindFocus(), dlg->ExitButton());

    // Tab order: Exit, the three browse buttons, Start, the log.
    std::vector<int> order;
    for (wxWindow* child : dlg->GetChildren())
        if (child->CanAcceptFocusFromKeyboard()) order.push_back(child->GetId());
    EXPECT_EQ(order, (std::vector<int>{wxID_CANCEL, IDC_BROWSE_BITMAP, IDC_BROWSE_WAVE,
                                       IDC_BROWSE_OUTPUT, IDC_START, IDC_LOG}));
}

TEST_F(MainWindowTest, PreviewIsBlackAndCentredInTheGraphicsFrame) {
    const wxRect frame = dlg->GraphicsFrame()->GetRect();
    const wxRect preview = dlg->Preview()->GetRect();
    EXPECT_EQ(preview.GetSize(), wxSize(288, 192));
    EXPECT_EQ(preview.x - frame.x, frame.GetRight() - preview.GetRight());
    EXPECT_LE(std::abs((preview.y - frame.y) - (frame.GetBottom() - preview.GetBottom())), 1);

    const wxImage shown = GrabScreen(dlg->Preview());
    ASSERT_TRUE(shown.IsOk());
    for (int y = 0; y < shown.GetHeight(); y += 7)
        for (int x = 0; x < shown.GetWidth(); x += 5)
            ASSERT_EQ(shown.GetRed(x, y) + shown.GetGreen(x, y) + shown.GetBlue(x, y), 0)
                << x << "," << y;
}

TEST_F(MainWindowTest, AcceptedPictureShowsAtOnce) {
    // Every pixel colour 9, which the common palette makes red.
    const std::string path = dir.File("red.bmp");
    WriteFile(path, MakeBmp(MakePicture([](int, int) { return 9; })));
    SetChooserShower(
        [&](wxWindow*, bool, const std::string&, const std::string&, const std::string&) {
            return FileChoice{true, path};
        });
    Click(IDC_BROWSE_BITMAP);
    EXPECT_TRUE(state.bitmapValid);
    // On the screen before any further event has been handled.
    const wxImage shown = GrabScreen(dlg->Preview());
    EXPECT_EQ(std::string(dlg->PathField(IDC_BITMAP_PATH)->GetLabel().utf8_str()), path);
    const Palette common = CommonPalette();
    EXPECT_EQ(shown.GetRed(100, 100), common[9].red);
    EXPECT_EQ(shown.GetGreen(100, 100), common[9].green);
    EXPECT_EQ(shown.GetBlue(100, 100), common[9].blue);
    EXPECT_EQ(LastLogLine().substr(13), "Valid BMP file loaded: " + path);
}

TEST_F(MainWindowTest, ContextMenuCarriesTheAboutItemUnlessItsTextIsEmpty) {
    // The entries themselves are the system menu test's; here, that the
    // menu shows them all, the About item last.
    std::unique_ptr<wxMenu> menu(BuildContextMenu(kAboutString));
    const std::size_t count = menu->GetMenuItemCount();
    ASSERT_EQ(count, SystemMenuEntries(kAboutString).size());
    EXPECT_TRUE(menu->FindItemByPosition(2)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(3)->GetItemLabel(), "&Play image...");
    EXPECT_TRUE(menu->FindItemByPosition(count - 2)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(count - 1)->GetId(), IDM_ABOUTBOX);
    EXPECT_EQ(menu->FindItemByPosition(count - 1)->GetItemLabel(), "&About Orvane...");
    std::unique_ptr<wxMenu> bare(BuildContextMenu(""));
    EXPECT_EQ(bare->GetMenuItemCount(), count - 2);
}

class HelpKeyTest : public HelpPageTest {
  protected:
    void PressF1(wxWindow* window, int modifiers) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_F1;
        key.SetControlDown(modifiers & wxMOD_CONTROL);
        key.SetShiftDown(modifiers & wxMOD_SHIFT);
        key.SetAltDown(modifiers & wxMOD_ALT);
        key.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(key);
    }
};

// Real key presses, through the X server, as the user makes them.
TEST_F(HelpKeyTest, F1AloneOpensThePageFromTheMainWindowAndTheAboutBox) {
    wxUIActionSimulator keys;
    // Without a window manager the keyboard follows the pointer.
    keys.MouseMove(dlg->LogList()->GetScreenRect().GetLeftTop() + wxPoint(20, 20));
    PumpFor(100ms);
    keys.Char(WXK_F1);
    ASSERT_TRUE(PumpUntil([&] { return !opened.empty(); }, 5s));
    EXPECT_EQ(opened[0], dir.File("orvane.htm"));
    for (int modifiers : {wxMOD_SHIFT, wxMOD_CONTROL, wxMOD_ALT}) keys.Char(WXK_F1, modifiers);
    PumpFor(200ms);
    EXPECT_EQ(opened.size(), 1u);

    CAboutDlg about(dlg.get());
    PressF1(&about, wxMOD_NONE);
    EXPECT_EQ(opened.size(), 2u);
}

// The Menu key and Shift+F10 open the context menu wherever the focus is.
TEST_F(MainWindowTest, MenuKeyAndShiftF10OpenTheContextMenu) {
    wxUIActionSimulator keys;
    keys.MouseMove(dlg->GetScreenRect().GetLeftTop() + wxPoint(440, 20));
    PumpFor(100ms);
    int opened = 0;
    dlg->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        if (!event.IsPopup()) return;
        ++opened;
        dlg->CallAfter([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    });
    for (wxWindow* focus :
         {static_cast<wxWindow*>(dlg->ExitButton()), static_cast<wxWindow*>(dlg->LogList())}) {
        focus->SetFocus();
        PumpFor(50ms);
        const int before = opened;
        keys.Char(WXK_MENU);
        EXPECT_TRUE(PumpUntil([&] { return opened == before + 1; }, 5s));
        PumpFor(100ms);
        keys.Char(WXK_F10, wxMOD_SHIFT);
        EXPECT_TRUE(PumpUntil([&] { return opened == before + 2; }, 5s));
        PumpFor(100ms);
    }
    EXPECT_TRUE(dlg->IsShown());
}

TEST_F(MainWindowTest, EveryWayOutEndsTheWindowAndAsksAJobToStop) {
    const auto pressKey = [](wxWindow* window, wxEventType type, int code) {
        wxKeyEvent key(type);
        key.m_keyCode = code;
        key.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(key);
    };
    const std::vector<std::function<void()>> ways = {
        [&] { pressKey(dlg->LogList(), wxEVT_KEY_DOWN, WXK_RETURN); },  // the OK route
        [&] { pressKey(dlg->ExitButton(), wxEVT_CHAR_HOOK, WXK_ESCAPE); },
        [&] { dlg->Close(); },  // the close box
        [&] { Click(wxID_CANCEL); },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        if (i > 0) {
            dlg = std::make_unique<CMainDlg>(state, picture);
            dlg->Show();
        }
        state.stopRequested = false;
        ways[i]();
        EXPECT_TRUE(state.stopRequested) << i;
        EXPECT_FALSE(dlg->IsShown()) << i;
    }
}

TEST_F(MainWindowTest, ClickingALogLineSelectsNothing) {
    for (int i = 0; i < 5; ++i) dlg->LogList()->Append(wxString::Format("line %d", i));
    PumpFor(50ms);
    wxUIActionSimulator mouse;
    mouse.MouseMove(dlg->LogList()->ClientToScreen(wxPoint(60, 30)));
    mouse.MouseClick();
    PumpFor(150ms);
    EXPECT_EQ(dlg->LogList()->GetSelection(), wxNOT_FOUND);
}

// Each chosen output logs a line; the list keeps its newest line in view.
TEST_F(MainWindowTest, LogScrollsToItsNewestLine) {
    SetChooserShower(
        [&](wxWindow*, bool, const std::string&, const std::string&, const std::string&) {
            return FileChoice{true, dir.File("out.CDG")};
        });
    constexpr int kLines = 40;
    for (int i = 0; i < kLines; ++i) Click(IDC_BROWSE_OUTPUT);
    ASSERT_EQ(LogLines().size(), std::size_t(kLines));
    wxListBox* log = dlg->LogList();
    ASSERT_LT(log->GetCountPerPage(), kLines);  // the list has to scroll
    EXPECT_TRUE(PumpUntil(
        [&] {
            return log->GetTopItem() > 0 && log->GetTopItem() + log->GetCountPerPage() >= kLines;
        },
        5s))
        << log->GetTopItem() << " + " << log->GetCountPerPage();
}

TEST_F(MainWindowTest, NothingChosenShowsOneBoxAndTheButtonReturnsToStart) {
    Click(IDC_START);
    EXPECT_EQ(boxes, std::vector<std::string>{"No bitmap file selected"});
    EXPECT_EQ(dlg->StartButton()->GetLabel(), "&Start");
    EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace orvane::test
