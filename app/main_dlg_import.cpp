// The context menu's "Import picture..." and "Import recording...", and files
// dropped on the window.
#include "app/main_dlg.h"

namespace orvane {

void CMainDlg::OnImportPicture() {}

void CMainDlg::OnImportRecording() {}

void CMainDlg::SetUpDropTarget() {}

}  // namespace orvane
