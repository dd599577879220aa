// The context menu's "Play image...".
#include "app/main_dlg.h"

namespace orvane {

void CMainDlg::OnPlayImage() {}

}  // namespace orvane
