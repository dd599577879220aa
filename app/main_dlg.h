// The main window: one modal dialog with the preview, the three file fields,
// Start/Stop, the progress bar and the activity log.
#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <chrono>
#include <memory>
#include <string>

#include "app/dialog_effects.h"
#include "app/dialog_model.h"
#include "app/file_selection.h"
#include "app/job_control.h"
#include "app/status_channel.h"
#include "encoder/creation_job.h"
#include "res/layouts.h"

class wxButton;
class wxBitmapButton;
class wxGauge;
class wxListBox;
class wxMenu;
class wxStaticBox;
class wxStaticText;

namespace orvane {

class PreviewWindow;

// Plays `path` in the player beside `owner` ("Play image...", and a track
// of "Make a disc..."); a box when it cannot be played.
void OpenPlayer(wxWindow* owner, const std::string& path);

// The context menu that stands in for the system menu.
wxMenu* BuildContextMenu(std::string_view aboutString);

class CMainDlg : public wxDialog, private DialogEffects {
  public:
    // Works on the program's shared JobState and Picture.
    CMainDlg();
    CMainDlg(JobState& state, Picture& picture);
    ~CMainDlg() override;

    DialogModel& Model() { return model_; }
    FileSelection& Selection() { return fileSelection_; }

    // Asks a running job to stop, releases it from any send it waits in and
    // waits until its thread has ended (its files are closed by then).
    void EndJob();
    // The same, waiting at most `limit`: false when the job is stuck in a
    // read or write that does not return, and only ending the process is left.
    bool EndJobWithin(std::chrono::milliseconds limit);

    // The handlers, bound to their controls.
    void OnStartStop(wxCommandEvent& event);
    void OnBrowseBitmap(wxCommandEvent& event);
    void OnBrowseWave(wxCommandEvent& event);
    void OnBrowseOutput(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnJobStatus(JobStatus code, int value);
    void OpenHelpPage();

    // The context menu's tools, each in a file of its own
    // (main_dlg_player.cpp, main_dlg_export.cpp, main_dlg_disc.cpp,
    // main_dlg_import.cpp).
    void OnPlayImage();
    void OnExportForPlayers();
    void OnMakeDisc();
    void OnImportPicture();
    void OnImportRecording();

    // For tests: the controls as the user sees them.
    wxButton* StartButton() const { return startButton_; }
    wxButton* ExitButton() const { return exitButton_; }
    wxGauge* ProgressBar() const { return progressBar_; }
    wxListBox* LogList() const { return logList_; }
    wxStaticBox* GraphicsFrame() const { return graphicsFrame_; }
    wxWindow* Preview() const;
    wxStaticText* PathField(int id) const;

  private:
    void CreateControls();
    wxWindow* CreateControl(const ControlSpec& entry);
    void BindEvents();
    void EndWith(int returnCode);
    void OnLogKey(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnMenuCommand(wxCommandEvent& event);
    void OnWindDownTimer(wxTimerEvent& event);
    // Files dropped on the window (main_dlg_import.cpp).
    void SetUpDropTarget();

    // DialogEffects
    std::string StartCaption() const override;
    void SetStartCaption(const std::string& caption) override;
    void EnableStart(bool enable) override;
    void ShowBox(const std::string& text, BoxIcon icon) override;
    void ShowOpenFailureBox(const std::string& text) override;
    void SetProgress(int percent) override;
    void AppendLogLine(const std::string& line) override;
    std::optional<std::tm> LocalTime() override;
    std::uint64_t FreeBytes(const std::string& outputPath) override;
    bool AskToReplace(const std::string& path) override;
    bool StartJob(JobInputs inputs) override;
    bool JobRunning() const override;
    FileChoice ChooseFile(bool open, const std::string& title, const std::string& filter,
                          const std::string& extension) override;
    void ShowPaths() override;
    void RedrawPreview() override;

    DialogModel model_;
    JobControl jobControl_;
    FileSelection fileSelection_;
    // The channel outlives the runner: EndJob closes it, then joins the job.
    std::unique_ptr<StatusChannel> channel_;
    JobRunner runner_;
    wxTimer windDownTimer_;
    // Start lost the keyboard focus to Exit when it was disabled; it gets it
    // back when it is enabled again.
    bool focusParked_ = false;

    wxButton* exitButton_ = nullptr;
    wxButton* startButton_ = nullptr;
    wxBitmapButton* browseBitmapButton_ = nullptr;
    wxBitmapButton* browseWaveButton_ = nullptr;
    wxBitmapButton* browseOutputButton_ = nullptr;
    wxStaticText* bitmapPathText_ = nullptr;
    wxStaticText* wavePathText_ = nullptr;
    wxStaticText* outputPathText_ = nullptr;
    wxStaticBox* graphicsFrame_ = nullptr;
    wxGauge* progressBar_ = nullptr;
    wxListBox* logList_ = nullptr;
    PreviewWindow* preview_ = nullptr;
};

}  // namespace orvane
