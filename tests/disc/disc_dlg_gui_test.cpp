// "Make a disc..." as a user goes through it with real key presses (and one
// drag): the window's last image offered first, two more added, tracks
// moved, names typed, a track played, and the burn file written and read
// back by cdrdao.
#include <gtest/gtest.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>

#include "app/disc/disc_dlg.h"
#include "app/disc/fill_bar.h"
#include "app/main_dlg.h"
#include "app/player_dlg.h"
#include "export_rig.h"
#include "support/gui_test_support.h"

namespace orvane {
namespace {

using namespace std::chrono_literals;

template <typename T>
T* Shown() {
    for (wxWindow* w : wxTopLevelWindows) {
        if (auto* found = dynamic_cast<T*>(w); found && found->IsShown()) return found;
    }
    return nullptr;
}

std::string Image(const test::TempDir& dir, const std::string& name, std::size_t sectors) {
    test::ImageRig rig(sectors);
    const std::string path = dir.File(name);
    std::filesystem::copy_file(rig.image, path);
    return path;
}

class DiscDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        SetBoxShower([this](const BoxRequest& r) { boxes.push_back(r.text); });
        SetImagesChooser([this](wxWindow*) { return std::vector{second, third}; });
        SetTocChooser([this](wxWindow*, const std::string& suggested) {
            suggestions.push_back(suggested);
            return dir.File("party.toc");
        });
        main = std::make_unique<CMainDlg>(state, picture);
        main->Model().lastImagePath = first;
    }
    void TearDown() override {
        main.reset();
        SetBoxShower({});
        SetImagesChooser({});
        SetTocChooser({});
    }
    // Focuses `window` with the pointer over it (the keyboard follows the
    // pointer without a window manager).
    void FocusOn(wxWindow* window) {
        keys.MouseMove(window->GetScreenRect().GetLeftTop() + wxPoint(5, 5));
        window->SetFocus();
        test::PumpFor(100ms);
    }
    void Type(wxTextCtrl* field, const std::string& text) {
        FocusOn(field);
        field->SelectAll();
        keys.Text(text.c_str());
        ASSERT_TRUE(test::PumpUntil([&] { return field->GetValue() == text; }, 5s)) << text;
    }

    void Drive(DiscDlg& dlg) {
        test::PumpFor(200ms);
        wxListView* list = dlg.TrackList();
        ASSERT_EQ(list->GetItemCount(), 1);
        EXPECT_EQ(list->GetItemText(0, 3), "One");

        FocusOn(list);
        keys.Char('a', wxMOD_ALT);  // Add images...
        ASSERT_TRUE(test::PumpUntil([&] { return list->GetItemCount() == 3; }, 5s));
        EXPECT_EQ(list->GetFirstSelected(), 2);
        keys.Char('u', wxMOD_ALT);  // Move up: three before Two
        ASSERT_TRUE(test::PumpUntil([&] { return list->GetItemText(1, 3) == "three"; }, 5s));
        Type(dlg.PerformerField(), "Gamma");
        Type(dlg.TitleField(), "Third Song");
        EXPECT_EQ(list->GetItemText(1, 2), "Gamma");
        EXPECT_EQ(list->GetItemText(1, 3), "Third Song");
        Type(dlg.AlbumTitleField(), "Party");
        EXPECT_EQ(dlg.Bar()->Fill().text, "3 tracks, 0:22 of 79:57");

        // Play the first track with the player, then close it with Escape.
        FocusOn(list);
        keys.Char(WXK_HOME);
        ASSERT_TRUE(test::PumpUntil([&] { return list->GetFirstSelected() == 0; }, 5s));
        bool played = false;
        wxTimer watch;
        watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            CPlayerDlg* player = Shown<CPlayerDlg>();
            if (player == nullptr || played) return;
            played = true;
            keys.MouseMove(player->GetScreenRect().GetLeftTop() + wxPoint(20, 20));
            keys.Char(WXK_ESCAPE);
        });
        watch.Start(200);
        keys.Char('p', wxMOD_ALT);
        ASSERT_TRUE(test::PumpUntil([&] { return played && Shown<CPlayerDlg>() == nullptr; }, 10s));
        watch.Stop();

        // The first track dragged onto the last takes its place.
        wxRect top, bottom;
        list->GetItemRect(0, top);
        list->GetItemRect(2, bottom);
        const wxPoint from = list->ClientToScreen(top.GetPosition() + wxPoint(30, top.height / 2));
        const wxPoint to =
            list->ClientToScreen(bottom.GetPosition() + wxPoint(30, bottom.height / 2));
        keys.MouseMove(from);
        keys.MouseDown();
        for (int step = 1; step <= 10; ++step) {
            keys.MouseMove(from + (to - from) * step / 10);
            test::PumpFor(30ms);
        }
        keys.MouseUp();
        ASSERT_TRUE(test::PumpUntil([&] { return list->GetItemText(2, 3) == "One"; }, 5s));

        FocusOn(list);
        keys.Char('w', wxMOD_ALT);  // Write burn file...
        ASSERT_TRUE(test::PumpUntil([&] { return !boxes.empty(); }, 5s));
        FocusOn(list);
        keys.Char(WXK_ESCAPE);
        done = true;
    }

    bool done = false;
    test::TempDir dir;
    const std::string first = Image(dir, "Alpha - One.cdg", 400);
    const std::string second = Image(dir, "Beta - Two.cdg", 450);
    const std::string third = Image(dir, "three.cdg", 500);
    JobState state;
    Picture picture{};
    std::unique_ptr<CMainDlg> main;
    std::vector<std::string> boxes, suggestions;
    wxUIActionSimulator keys;
};

TEST_F(DiscDialogTest, BuildsAThreeTrackDiscFromTheKeyboard) {
    main->CallAfter([&] {
        DiscDlg* dlg = Shown<DiscDlg>();
        ASSERT_NE(dlg, nullptr);
        Drive(*dlg);
        // A failed step above leaves the dialog open: close it, so the
        // failure is reported instead of waited on.
        if (!done) dlg->EndModal(wxID_CANCEL);
    });
    main->OnMakeDisc();
    ASSERT_TRUE(done);

    ASSERT_EQ(suggestions.size(), 1u);
    EXPECT_EQ(suggestions[0], dir.File("Party.toc"));
    ASSERT_EQ(boxes.size(), 1u) << boxes[0];
    EXPECT_EQ(boxes[0].substr(0, boxes[0].find('\r')),
              "Burn file written: " + dir.File("party.toc"));
    const std::string toc = dir.File("party.toc");
    EXPECT_EQ(test::Capture("cdrdao toc-size '" + toc + "' 2>/dev/null"),
              std::to_string(400 + 500 + 450 + 2 * 150) + "\n");
    const std::string cddb = test::Capture("toc2cddb '" + toc + "' 2>/dev/null");
    for (const char* line :
         {"DTITLE= / Party\n", "TTITLE0=Third Song\n", "TTITLE1=Two\n", "TTITLE2=One\n"}) {
        EXPECT_NE(cddb.find(line), std::string::npos) << line << cddb;
    }
    bool logged = false;
    for (const wxString& line : main->LogList()->GetStrings())
        logged = logged || line.utf8_string().ends_with("Burn file written: " + toc);
    EXPECT_TRUE(logged);
}

}  // namespace
}  // namespace orvane
