// The lyrics in the main window: "Add lyrics...", "Remove lyrics", "Time
// lyrics..." and the questions they ask.
#include <wx/msgdlg.h>

#include "app/lyrics/lyrics_dlg.h"
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

// One Lyrics window: asked again, it comes to the front (with the new text).
// It starts on the main window's recording and picture; its "Use for the
// image" loads the lyrics here as "Add lyrics..." does.
void CMainDlg::OpenTimingWindow(const std::string& path) {
    if (lyricsWindow_) {
        lyricsWindow_->Raise();
        if (!path.empty()) lyricsWindow_->OpenLyricsFile(path);
        return;
    }
    LyricsWindowStart start;
    if (model_.jobState.waveValid) start.recordingPath = model_.wavePath;
    start.picture = model_.picture;
    start.lyricsPath = path;
    lyricsWindow_ =
        new LyricsDlg(this, start, [this](const Lyrics& lyrics, const std::string& from) {
            lyricsChoice_.TakeLyrics(lyrics, from);
        });
    lyricsWindow_->Show();
}

}  // namespace orvane
