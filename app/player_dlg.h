// The player window: the screen of an image or a .cdg as a karaoke player
// shows it, following the sound, with Play/Pause, a time slider and the
// elapsed and total time. Every decision lives in PlayerSession and the
// plain player_* code; this only presents them.
//
// It runs beside the main window, not modally: the main window's Stop and
// Exit work while it plays. Closing it destroys it; the main window closes
// it when it ends.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <memory>
#include <string>
#include <vector>

#include "app/player_session.h"

class wxButton;
class wxSlider;
class wxStaticText;

namespace orvane {

class PlayerScreen;

class CPlayerDlg : public wxDialog {
  public:
    // Made with new and shown with Show: the file `session` has open,
    // playing from the start.
    CPlayerDlg(wxWindow* parent, std::unique_ptr<PlayerSession> session, const std::string& path);
    ~CPlayerDlg() override;

    // The player open over `parent`, if any.
    static CPlayerDlg* Find(wxWindow* parent);

    // For tests: the parts as the user sees them.
    PlayerSession& Session() { return *session_; }
    wxWindow* Screen() const;
    int ScreenFactor() const { return factor_; }
    wxButton* PlayButton() const { return playButton_; }
    wxSlider* TimeSlider() const { return slider_; }
    std::string TimeText() const;
    std::string StatusLine() const;
    // What one tick of the drawing timer does.
    void Tick();

  private:
    void CreateControls();
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnParentShow(wxShowEvent& event);
    void RequestHelp();
    void Zoom(int factor);
    void OnPlayButton(wxCommandEvent& event);
    void OnSlider(wxScrollEvent& event);
    void OnTimer(wxTimerEvent& event);
    void ShowState();

    std::unique_ptr<PlayerSession> session_;
    wxTimer timer_;
    int factor_ = 2;
    int largestFactor_ = 2;
    PlayerScreen* screen_ = nullptr;
    wxButton* playButton_ = nullptr;
    wxSlider* slider_ = nullptr;
    wxStaticText* timeText_ = nullptr;
    wxStaticText* statusText_ = nullptr;
    wxString shownStatus_;  // as given, before wrapping
    bool closing_ = false;
};

}  // namespace orvane
