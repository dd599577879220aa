// The context menu's "Play image...".
#include <wx/utils.h>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/player_dlg.h"
#include "app/player_files.h"
#include "app/player_text.h"
#include "res/resource_ids.h"

namespace orvane {

// A file that cannot be played gives its box and nothing else; one that can
// opens the player beside `owner`, which stays usable: a job may run (the
// player plays what is on disk) and be stopped. One player at a time: a new
// file takes the place of the one playing.
void OpenPlayer(wxWindow* owner, const std::string& path) {
    auto session = std::make_unique<PlayerSession>();
    PlayerError error;
    {
        wxBusyCursor busy;
        error = session->Open(path);
    }
    if (error) {
        ShowMessageBox({owner, OpenFailureText(path, error.message), kProgramName,
                        static_cast<long>(wxOK | wxICON_ERROR)});
        return;
    }
    if (CPlayerDlg* playing = CPlayerDlg::Find(owner)) playing->Close();
    auto* player = new CPlayerDlg(owner, std::move(session), path);
    player->Show();
}

void CMainDlg::OnPlayImage() {
    const FileChoice choice = ShowChooser(this, true, kPlayChooserTitle, kPlayChooserFilter, "cdg",
                                          ChooserStart(model_.lastImagePath));
    if (choice.chosen) OpenPlayer(this, choice.path);
}

}  // namespace orvane
