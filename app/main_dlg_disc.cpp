// The context menu's "Make a disc...".
#include "app/activity_log.h"
#include "app/disc/disc_dlg.h"
#include "app/main_dlg.h"

namespace orvane {

void CMainDlg::OnMakeDisc() {
    DiscDlg dialog(
        this, model_.lastImagePath, [this](const std::string& line) { AddLogLine(*this, line); },
        [](wxWindow* owner, const std::string& image) { OpenPlayer(owner, image); });
    dialog.ShowModal();
}

}  // namespace orvane
