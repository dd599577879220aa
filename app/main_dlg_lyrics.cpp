// The lyrics in the main window: "Add lyrics...", "Remove lyrics", "Time
// lyrics..." and the questions they ask.
#include <wx/msgdlg.h>

#include "app/main_dlg.h"
#include "app/message_box.h"
#include "res/resource_ids.h"

namespace orvane {

void CMainDlg::OnAddLyrics() {
    lyricsChoice_.OnAddLyrics();
}

void CMainDlg::OnRemoveLyrics() {
    lyricsChoice_.OnRemoveLyrics();
}

void CMainDlg::OnTimeLyrics() {
    OpenTimingWindow({});
}

bool CMainDlg::Ask(const std::string& question) {
    return ShowQuestionBox({this, question, kProgramName, wxYES_NO | wxICON_QUESTION});
}

void CMainDlg::OpenTimingWindow(const std::string&) {}

}  // namespace orvane
