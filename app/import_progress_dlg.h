// The imports' progress box: a bar, what the conversion is doing,
// and Stop. The window behind it keeps painting; the conversion runs on a
// worker thread that the box polls.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include "app/import_task.h"

class wxButton;
class wxGauge;
class wxStaticText;

namespace orvane {

class ImportProgressDlg : public wxDialog {
  public:
    ImportProgressDlg(wxWindow* parent, const std::string& title, const std::string& text,
                      ImportTask::Work work);
    ~ImportProgressDlg() override;

    // Starts the conversion and returns when it has ended, one way or another.
    // Work done within a moment never shows the box.
    int ShowModal() override;
    const ImportOutcome& Outcome() const { return outcome_; }

    // For tests.
    wxGauge* Bar() const { return bar_; }
    wxButton* StopButton() const { return stopButton_; }

  private:
    void OnTimer(wxTimerEvent& event);
    void OnStop(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    ImportTask::Work work_;
    ImportTask task_;
    ImportOutcome outcome_;
    wxTimer timer_;
    wxStaticText* message_ = nullptr;
    wxGauge* bar_ = nullptr;
    wxButton* stopButton_ = nullptr;
};

}  // namespace orvane
