// The context menu's "Export for players...".
#include "app/main_dlg.h"

namespace orvane {

void CMainDlg::OnExportForPlayers() {}

}  // namespace orvane
