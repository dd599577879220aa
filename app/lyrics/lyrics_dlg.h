// The Lyrics window: time a song's words by tapping along, hear, see, correct
// and save. Non-modal, beside the main window. Every rule lives in
// TimingSession, TimingModel and the timing keys; this only presents them.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>
#include <string>

#include "app/lyrics/timing_keys.h"
#include "app/lyrics/timing_session.h"

class wxButton;
class wxChoice;
class wxStaticText;

namespace orvane {

class CdgView;
class LyricsTextView;
class WaveStrip;

struct LyricsWindowStart {
    std::string recordingPath;  // the main window's recording ("" for none)
    Picture picture{};          // the main window's picture, under the preview
    std::string lyricsPath;     // a text or lyrics file to open ("" for none)
};

class LyricsDlg : public wxDialog {
  public:
    // "Use for the image": the timed lyrics and the file they are named by.
    using UseLyrics = std::function<void(const Lyrics& lyrics, const std::string& path)>;
    LyricsDlg(wxWindow* parent, const LyricsWindowStart& start, UseLyrics use);
    ~LyricsDlg() override;

    // Opens a text or lyrics file, asking first when the marks have changes
    // not saved.
    void OpenLyricsFile(const std::string& path);
    void OpenRecordingFile(const std::string& path);

    // For tests: the parts as the user sees them.
    TimingSession& Session() { return session_; }
    LyricsTextView* TextView() const { return textView_; }
    WaveStrip* Strip() const { return strip_; }
    wxButton* PlayButton() const { return playButton_; }
    wxChoice* SpeedChoice() const { return speedChoice_; }
    std::string StatusLine() const;
    // What one tick of the drawing timer does.
    void Tick();
    // Save (as with Ctrl+S) and Save As.
    void Save(bool askForName);

  private:
    void CreateControls();
    wxSizer* CreateButtons();
    void OnCharHook(wxKeyEvent& event);
    void Act(TimingAction action, std::uint32_t ageMs);
    void OnWordClicked(std::size_t slot);
    void OnSpeed();
    void OnOpenText();
    void OnOpenRecording();
    void OnUse();
    void OnClose(wxCloseEvent& event);
    bool MayDiscardChanges(const std::string& question);
    void SetStatus(const std::string& text);
    void ShowTitle();

    TimingSession session_;
    UseLyrics use_;
    wxTimer timer_;
    LyricsTextView* textView_ = nullptr;
    WaveStrip* strip_ = nullptr;
    CdgView* preview_ = nullptr;
    wxButton* playButton_ = nullptr;
    wxChoice* speedChoice_ = nullptr;
    wxStaticText* timeText_ = nullptr;
    wxStaticText* statusText_ = nullptr;
};

}  // namespace orvane
