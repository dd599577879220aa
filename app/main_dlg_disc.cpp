// The context menu's "Make a disc...".
#include <wx/utils.h>

#include "app/activity_log.h"
#include "app/disc/disc_dlg.h"
#include "app/main_dlg.h"
#include "app/player_dlg.h"
#include "app/player_text.h"

namespace orvane {

// A track is played as "Play image..." plays a file: a box when it cannot
// be, the player when it can.
void CMainDlg::OnMakeDisc() {
    const auto play = [this](wxWindow* owner, const std::string& image) {
        auto session = std::make_unique<PlayerSession>();
        PlayerError error;
        {
            wxBusyCursor busy;
            error = session->Open(image);
        }
        if (error) {
            ShowMessageBox({owner, OpenFailureText(image, error.message), "Orvane",
                            static_cast<long>(wxOK | wxICON_ERROR)});
            return;
        }
        CPlayerDlg player(owner, std::move(session), image);
        player.ShowModal();
    };
    DiscDlg dialog(
        this, model_.lastImagePath, [this](const std::string& line) { AddLogLine(*this, line); },
        play);
    dialog.ShowModal();
}

}  // namespace orvane
