// The context menu's "Play image...".
#include <wx/utils.h>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/player_dlg.h"
#include "app/player_files.h"
#include "app/player_text.h"

namespace orvane {

// A file that cannot be played gives its box and nothing else; one that can
// opens the player, which may run beside a job (it plays what is on disk).
void CMainDlg::OnPlayImage() {
    const FileChoice choice = ShowChooser(this, true, kPlayChooserTitle, kPlayChooserFilter, "cdg",
                                          ChooserStart(model_.lastImagePath));
    if (!choice.chosen) return;
    auto session = std::make_unique<PlayerSession>();
    PlayerError error;
    {
        wxBusyCursor busy;
        error = session->Open(choice.path);
    }
    if (error) {
        ShowBox(OpenFailureText(choice.path, error.message), BoxIcon::Error);
        return;
    }
    CPlayerDlg player(this, std::move(session), choice.path);
    player.ShowModal();
}

}  // namespace orvane
