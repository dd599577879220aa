// "Export for players..." as a user goes through it: from the main window's
// menu handler to the files and the main window's log.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <filesystem>

#include "app/export_dlg.h"
#include "app/main_dlg.h"
#include "export_rig.h"
#include "support/gui_test_support.h"

namespace orvane {
namespace {

ExportDlg* OpenExportDialog() {
    for (wxWindow* w : wxTopLevelWindows) {
        if (auto* dlg = dynamic_cast<ExportDlg*>(w); dlg && dlg->IsShown()) return dlg;
    }
    return nullptr;
}

void Click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

class ExportDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        SetBoxShower([this](const BoxRequest& r) { boxes.push_back(r.text); });
        SetQuestionShower([this](const BoxRequest& r) {
            questions.push_back(r.text);
            return true;
        });
        main = std::make_unique<CMainDlg>(state, picture);
        main->Model().lastImagePath = rig.image;
    }
    void TearDown() override {
        main.reset();
        SetBoxShower({});
        SetQuestionShower({});
        SetFolderShower({});
    }
    // Opens the dialog from the menu handler and runs `use` inside it.
    void UseDialog(const std::function<void(ExportDlg&)>& use) {
        bool used = false;
        main->CallAfter([&] {
            ExportDlg* dlg = OpenExportDialog();
            ASSERT_NE(dlg, nullptr);
            use(*dlg);
            used = true;
            dlg->EndModal(wxID_CANCEL);
        });
        main->OnExportForPlayers();
        EXPECT_TRUE(used);
    }
    // ORVANE_EXPORT_SHOT=PREFIX: the screen as PREFIX-NAME.png, to look at.
    static void Shot(const std::string& name) {
        const char* prefix = std::getenv("ORVANE_EXPORT_SHOT");
        if (prefix == nullptr) return;
        test::PumpFor(std::chrono::milliseconds(300));
        const std::string command =
            "import -window root " + std::string(prefix) + "-" + name + ".png";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::vector<std::string> MainLog() const {
        std::vector<std::string> lines;
        for (const wxString& s : main->LogList()->GetStrings()) lines.push_back(s.utf8_string());
        return lines;
    }
    bool Logged(const std::string& text) const {
        for (const std::string& line : MainLog())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    test::ImageRig rig{3000};
    JobState state;
    Picture picture{};
    std::unique_ptr<CMainDlg> main;
    std::vector<std::string> boxes, questions;
};

TEST_F(ExportDialogTest, ExportsTheLastImageAndLogsEachFile) {
    test::WriteFile(rig.dir.File("song.toc"), {1});
    UseDialog([&](ExportDlg& dlg) {
        EXPECT_EQ(dlg.BaseNameField()->GetValue(), "song");
        EXPECT_TRUE(dlg.KindBox(ExportDlg::kMp3Zip)->GetValue());
        dlg.KindBox(ExportDlg::kToc)->SetValue(true);
        Click(dlg.ExportButton());
        EXPECT_EQ(dlg.ExportButton()->GetLabel(), "&Stop");
        ASSERT_TRUE(test::PumpUntil([&] { return !dlg.Running() && Logged("song.toc"); }));
        Shot("dialog");
        EXPECT_EQ(dlg.ExportButton()->GetLabel(), "&Export");
    });
    main->Show();
    Shot("main");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("song.toc"), std::string::npos);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(Logged("Exported: " + rig.dir.File("song.zip")));
    EXPECT_TRUE(Logged("Exported: " + rig.dir.File("song.toc")));
}

TEST_F(ExportDialogTest, StopAndFailureLeaveNothingBehind) {
    const auto before = test::Listing(rig.dir.path());
    UseDialog([&](ExportDlg& dlg) {
        dlg.KindBox(ExportDlg::kWavCdg)->SetValue(true);
        Click(dlg.ExportButton());
        Click(dlg.ExportButton());  // Stop
        ASSERT_TRUE(
            test::PumpUntil([&] { return dlg.ExportButton()->IsEnabled() && !dlg.Running(); }));
        EXPECT_TRUE(boxes.empty());
        // A folder that is a file: the box names the file that failed.
        SetFolderShower([&](wxWindow*, const std::string&) { return rig.wave; });
        for (wxWindow* child : dlg.GetChildren()) {
            if (auto* b = dynamic_cast<wxButton*>(child); b && b->GetLabel() == "&Folder...") {
                Click(b);
            }
        }
        Click(dlg.ExportButton());
        ASSERT_TRUE(test::PumpUntil([&] { return !boxes.empty(); }));
    });
    EXPECT_TRUE(Logged("Export stopped; nothing was written"));
    const std::string failure = "Could not write " + rig.wave + "/song.cdg: Not a directory";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(failure), std::string::npos) << boxes[0];
    EXPECT_TRUE(Logged(failure));
    EXPECT_EQ(test::Listing(rig.dir.path()), before);
}

}  // namespace
}  // namespace orvane
