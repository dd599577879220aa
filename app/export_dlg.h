// "Export for players...": the image, the kinds of file, where they go, and
// Export/Stop with a progress bar. The run's outcome goes to the main
// window's log.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <functional>
#include <string>

#include "app/export_flow.h"
#include "app/export_session.h"
#include "app/message_box.h"

class wxButton;
class wxCheckBox;
class wxGauge;
class wxStaticText;
class wxTextCtrl;

namespace orvane {

// The folder chooser and the Yes/No box, replaceable by tests.
using FolderShower = std::function<std::string(wxWindow* owner, const std::string& start)>;
void SetFolderShower(FolderShower shower);  // empty: the real chooser
using QuestionShower = std::function<bool(const BoxRequest&)>;
void SetQuestionShower(QuestionShower shower);  // empty: the real box
// A Yes/No box through the question shower; true for Yes.
bool AskQuestion(const BoxRequest& request);

class ExportDlg : public wxDialog, private ExportFlowEffects {
  public:
    using LogLine = std::function<void(const std::string&)>;
    // `image`: the image to start with (may be empty).
    ExportDlg(wxWindow* parent, const std::string& image, LogLine log);
    ~ExportDlg() override;

    // For tests: the controls as the user sees them.
    enum Kind { kMp3Zip, kMp3Cdg, kWavCdg, kWavZip, kToc, kKinds };
    wxCheckBox* KindBox(Kind kind) const { return kinds_[kind]; }
    wxTextCtrl* BaseNameField() const { return baseName_; }
    wxButton* ExportButton() const { return exportButton_; }
    wxGauge* ProgressBar() const { return gauge_; }
    const ExportChoices& Choices();
    bool Running() const { return session_.Running(); }

  private:
    void CreateControls();
    void ShowChoices();
    void OnChooseImage(wxCommandEvent&);
    void OnChooseFolder(wxCommandEvent&);
    void OnExportStop(wxCommandEvent&);
    void OnTimer(wxTimerEvent&);
    // Takes the run's progress, log lines and, at its end, its outcome.
    void Poll();
    void OnClose(wxCloseEvent&);
    void SetRunning(bool running);

    // ExportFlowEffects
    bool AskToReplace(const std::string& question) override;
    void ShowBox(const std::string& text, BoxIcon icon) override;
    void Log(const std::string& line) override { log_(line); }
    bool StartExport(const ExportRequest& request) override;

    LogLine log_;
    ExportChoices choices_;
    ExportFlow flow_{*this};
    ExportSession session_;
    wxTimer timer_;
    wxStaticText* imageText_ = nullptr;
    wxStaticText* folderText_ = nullptr;
    wxTextCtrl* baseName_ = nullptr;
    wxCheckBox* kinds_[kKinds] = {};
    wxStaticText* statusText_ = nullptr;
    wxGauge* gauge_ = nullptr;
    wxButton* exportButton_ = nullptr;
    wxButton* closeButton_ = nullptr;
    wxButton* chooseImage_ = nullptr;
    wxButton* chooseFolder_ = nullptr;
};

}  // namespace orvane
