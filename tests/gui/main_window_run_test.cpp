// Real runs through the main window: to the end, stopped, and cut short by
// closing the window.
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/timer.h>

#include <filesystem>

#include "about/about_dlg.h"
#include "gui_helpers.h"
#include "res/resource_ids.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(MainWindowTest, RunToTheEndShowsProgressThenCompleted) {
    ChooseFiles(25);
    Click(IDC_START);
    EXPECT_EQ(dlg->StartButton()->GetLabel(), "&Stop");
    int highest = 0;
    ASSERT_TRUE(PumpUntil([&] {
        highest = std::max(highest, dlg->ProgressBar()->GetValue());
        return EndsWith(LastLogLine(), "Completed");
    }));
    EXPECT_GT(highest, 50);
    EXPECT_EQ(boxes, std::vector<std::string>{"CD+G file successfully created!"});
    EXPECT_EQ(dlg->ProgressBar()->GetValue(), 0);
    EXPECT_EQ(dlg->StartButton()->GetLabel(), "&Start");
    EXPECT_TRUE(EndsWith(LogLines().at(0), "Creating CD+G file..."));
    ASSERT_TRUE(PumpUntil([&] { return dlg->StartButton()->IsEnabled(); }, 5s));

    const std::int64_t sectors = 25 * 44100 * 4 / 2352;
    EXPECT_EQ(std::filesystem::file_size(dir.File("disc.cdg")), std::uintmax_t(sectors * 2448));
}

TEST_F(MainWindowTest, StopMidRunCancelsAndAllowsTheNextRunOnceTheJobHasEnded) {
    ChooseFiles(60);
    Click(IDC_START);
    // The job waits in every send, so it cannot run ahead while we look.
    ASSERT_TRUE(PumpUntil([&] { return dlg->ProgressBar()->GetValue() >= 30; }));
    Click(IDC_START);
    EXPECT_TRUE(state.stopRequested);
    EXPECT_EQ(dlg->StartButton()->GetLabel(), "&Start");
    EXPECT_FALSE(dlg->StartButton()->IsEnabled());  // the job has not ended yet
    ASSERT_TRUE(PumpUntil([&] { return EndsWith(LastLogLine(), "Canceled by user"); }));
    EXPECT_EQ(dlg->ProgressBar()->GetValue(), 0);
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(PumpUntil([&] { return dlg->StartButton()->IsEnabled(); }, 5s));

    const auto written = std::filesystem::file_size(dir.File("disc.cdg"));
    EXPECT_EQ(written % 2448, 0u);
    EXPECT_LT(written, std::uintmax_t(60 * 44100 * 4 / 2352 * 2448));

    // The next run goes ahead.
    Click(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return EndsWith(LastLogLine(), "Completed"); }));
}

// The About box, chosen from the context menu mid-run, leaves the run going:
// it ends while the box is open.
TEST_F(MainWindowTest, AboutBoxFromTheContextMenuLeavesARunGoing) {
    ChooseFiles(60);
    Click(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return dlg->ProgressBar()->GetValue() >= 10; }));
    bool seen = false;
    bool completedMeanwhile = false;
    wxTimer watch;
    const auto started = std::chrono::steady_clock::now();
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* about = dynamic_cast<CAboutDlg*>(window);
            if (!about || !about->IsModal()) continue;
            seen = true;
            completedMeanwhile = EndsWith(LastLogLine(), "Completed");
            if (completedMeanwhile || std::chrono::steady_clock::now() - started > 30s)
                about->EndModal(wxID_OK);
        }
    });
    watch.Start(5);
    wxCommandEvent choose(wxEVT_MENU, IDM_ABOUTBOX);  // as the menu item sends it
    choose.SetEventObject(dlg.get());
    dlg->GetEventHandler()->ProcessEvent(choose);
    watch.Stop();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(completedMeanwhile);
    EXPECT_EQ(boxes, std::vector<std::string>{"CD+G file successfully created!"});
}

TEST_F(MainWindowTest, ClosingDuringARunStopsTheJobAndClosesItsFiles) {
    ChooseFiles(60);
    dlg->Hide();
    const std::string output = dlg->Model().outputPath;
    wxTimer watch;
    bool closed = false;
    bool closedMidRun = false;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        // Closes at a fifth of the run (or, should the run have ended
        // already, anyway, so that a failure does not hang the test).
        const bool ended = !boxes.empty();
        if (closed || (dlg->ProgressBar()->GetValue() < 20 && !ended)) return;
        closed = true;
        closedMidRun = !ended;
        Click(wxID_CANCEL);  // Exit
    });
    dlg->CallAfter([&] {
        Click(IDC_START);
        watch.Start(1);
    });
    EXPECT_EQ(dlg->ShowModal(), wxID_CANCEL);
    watch.Stop();
    EXPECT_TRUE(closedMidRun);
    EXPECT_TRUE(state.stopRequested);
    // As the program does after its dialog: release the job and wait for it.
    dlg->EndJob();
    EXPECT_EQ(OpenDescriptorsOn(output), 0);
    EXPECT_EQ(OpenDescriptorsOn(dlg->Model().wavePath), 0);
    EXPECT_TRUE(boxes.empty());
    dlg.reset();
}

}  // namespace
}  // namespace orvane::test
