// The context menu's "Import picture..." and "Import recording...", and files
// dropped on the window.
#include "app/drop_target.h"
#include "app/import_window.h"
#include "app/main_dlg.h"

namespace orvane {

void CMainDlg::OnImportPicture() {
    RunImport(this, Selection(), [](ImportFlow& flow) { flow.ImportPicture(); });
}

void CMainDlg::OnImportRecording() {
    RunImport(this, Selection(), [](ImportFlow& flow) { flow.ImportRecording(); });
}

void CMainDlg::SetUpDropTarget() {
    SetDropTarget(new FileDropTarget(this, Selection(), [this](const std::string& path) {
        lyricsChoice_.TakeLyricsFile(path);
    }));
}

}  // namespace orvane
