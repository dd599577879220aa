#include "app/main_app.h"

#include <cstdlib>

#include "app/main_dlg.h"

namespace orvane {

namespace {
// Start-up returns false by design; this tells that apart from a failure.
bool dialogRan = false;
}  // namespace

bool CMainApp::OnInit() {
    CMainDlg dlg;
    SetTopWindow(&dlg);
    dlg.ShowModal();
    // The dialog has ended: release a job waiting in a send and let it close
    // its files before the program goes.
    dlg.EndJob();
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
