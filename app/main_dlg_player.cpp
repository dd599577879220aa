// The context menu's "Play image...".
#include <wx/utils.h>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/player_dlg.h"
#include "app/player_files.h"
#include "app/player_text.h"

namespace orvane {

// A file that cannot be played gives its box and nothing else; one that can
// opens the player beside this window, which stays usable: a job may run
// (the player plays what is on disk) and be stopped. One player at a time:
// a new file takes the place of the one playing.
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
    if (CPlayerDlg* playing = CPlayerDlg::Find(this)) playing->Close();
    auto* player = new CPlayerDlg(this, std::move(session), choice.path);
    player->Show();
}

}  // namespace orvane
