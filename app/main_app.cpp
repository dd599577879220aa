#include "app/main_app.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/main_dlg.h"

namespace orvane {

namespace {
// Start-up returns false by design; this tells that apart from a failure.
bool dialogRan = false;
// How long a closed window waits for its job before the program ends anyway.
constexpr std::chrono::milliseconds kJobExitGrace{2000};
}  // namespace

bool CMainApp::OnInit() {
    CMainDlg dlg;
    SetTopWindow(&dlg);
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
    // GTK reads this when it starts: without it the log list's scroll bar is
    // an overlay that stays hidden.
    setenv("GTK_OVERLAY_SCROLLING", "0", 1);
    const int rc = wxEntry(argc, argv);
    return orvane::DialogRan() ? 0 : rc;
}
