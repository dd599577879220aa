// The context menu's "Export for players...".
#include "app/activity_log.h"
#include "app/export_dlg.h"
#include "app/main_dlg.h"

namespace orvane {

void CMainDlg::OnExportForPlayers() {
    ExportDlg dialog(this, model_.lastImagePath,
                     [this](const std::string& line) { AddLogLine(*this, line); });
    dialog.ShowModal();
}

}  // namespace orvane
