#include "app/main_app.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/help_page.h"
#include "app/import_window.h"
#include "app/main_dlg.h"
#include "app/start_files.h"
#include "res/resource_ids.h"

namespace orvane {

namespace {
// Start-up returns false by design; this tells that apart from a failure.
bool dialogRan = false;
// How long a closed window waits for its job before the program ends anyway.
constexpr std::chrono::milliseconds kJobExitGrace{2000};
// The files named on the command line, taken once the window shows.
StartFiles startFiles;

// The answers that need no window; the exit status, or -1 to open the window.
int AnswerWithoutWindow(const StartCommand& command) {
    switch (command.action) {
        case StartAction::OpenWindow:
            return -1;
        case StartAction::ShowUsage:
            std::cout << StartUsage();
            return 0;
        case StartAction::ShowVersion:
            std::cout << kVersionLine << '\n';
            return 0;
        case StartAction::ShowHelpPage: {
            std::error_code error;
            const std::string page =
                FindHelpPage(std::filesystem::current_path(error), ProgramDir());
            if (page.empty()) {
                std::cerr << "orvane: no help page found\n";
                return 1;
            }
            std::cout << page << '\n';
            return 0;
        }
        case StartAction::UsageError:
            std::cerr << "orvane: " << command.error << "\n" << StartUsage();
            return 2;
    }
    return 2;
}

}  // namespace

bool CMainApp::OnInit() {
    CMainDlg dlg;
    SetTopWindow(&dlg);
    // Queued, so the checks' boxes and the import's dialogs come up over the
    // window as for a drop.
    dlg.CallAfter([&dlg] {
        RunImport(&dlg, dlg.Selection(),
                  [&dlg](ImportFlow& flow) { TakeStartFiles(flow, dlg.Selection(), startFiles); });
    });
    dlg.ShowModal();
    // The dialog has ended: release a job waiting in a send and let it close
    // its files before the program goes. A job stuck in a read or write that
    // never returns (a stalled network mount) cannot be joined: end the
    // process without it; the system closes its files, and what it wrote stays.
    if (!dlg.EndJobWithin(kJobExitGrace)) {
        std::fflush(nullptr);
        _exit(0);
    }
    SetTopWindow(nullptr);
    dialogRan = true;
    return false;
}

bool DialogRan() {
    return dialogRan;
}

}  // namespace orvane

wxIMPLEMENT_APP_NO_MAIN(orvane::CMainApp);

int main(int argc, char** argv) {
    const orvane::StartCommand command =
        orvane::ParseStartCommand(std::vector<std::string>(argv + 1, argv + argc));
    if (const int status = orvane::AnswerWithoutWindow(command); status >= 0) return status;
    orvane::startFiles = command.files;
    // GTK reads this when it starts: without it the log list's scroll bar is
    // an overlay that stays hidden.
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    // The arguments are ours, all read above; the toolkit gets none of them,
    // so a file name can never be taken for one of its options.
    int toolkitArgc = 1;
    const int rc = wxEntry(toolkitArgc, argv);
    return orvane::DialogRan() ? 0 : rc;
}
