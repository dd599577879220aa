// What the main window's decisions ask of the toolkit, done with wx.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

#include <algorithm>
#include <ctime>

#include "app/activity_log.h"
#include "app/file_selection.h"
#include "app/main_dlg.h"
#include "app/message_box.h"
#include "app/preview.h"
#include "input/disk_space.h"
#include "res/resource_ids.h"

namespace orvane {

namespace {

// How often a disabled Start button looks whether the old job has ended.
constexpr int kWindDownPollMs = 50;

}  // namespace

std::string CMainDlg::StartCaption() const {
    return std::string(startButton_->GetLabel().utf8_str());
}

void CMainDlg::SetStartCaption(const std::string& caption) {
    startButton_->SetLabel(wxString::FromUTF8(caption));
}

// GTK leaves no control focused when the focused button is disabled, and
// Escape, F1 and the menu keys then do nothing until Tab is pressed. So the
// focus waits on Exit, where the window opens with it, while the old job winds
// down, and returns to Start with the button (unless the user has moved it).
void CMainDlg::EnableStart(bool enable) {
    if (!enable && FindFocus() == startButton_) {
        exitButton_->SetFocus();
        focusParked_ = true;
    }
    startButton_->Enable(enable);
    if (enable && focusParked_) {
        focusParked_ = false;
        if (FindFocus() == exitButton_) startButton_->SetFocus();
    }
    if (!enable && !windDownTimer_.IsRunning()) windDownTimer_.Start(kWindDownPollMs);
}

void CMainDlg::ShowBox(const std::string& text, BoxIcon icon) {
    const long style = wxOK | (icon == BoxIcon::Error ? wxICON_ERROR : wxICON_INFORMATION);
    ShowMessageBox({this, text, kProgramName, style});
}

// Captioned with the program file's name, as the toolkit's own boxes are.
void CMainDlg::ShowOpenFailureBox(const std::string& text) {
    const std::string caption(wxTheApp ? wxTheApp->GetAppName().utf8_str() : kProgramName);
    ShowMessageBox({this, text, caption, wxOK | wxICON_WARNING});
}

void CMainDlg::SetProgress(int percent) {
    progressBar_->SetValue(std::clamp(percent, 0, 100));
}

void CMainDlg::AppendLogLine(const std::string& line) {
    logList_->Append(WxText(line));
    logList_->SetFirstItem(static_cast<int>(logList_->GetCount()) - 1);
}

std::optional<std::tm> CMainDlg::LocalTime() {
    return CurrentLocalTime();
}

std::uint64_t CMainDlg::FreeBytes(const std::string& outputPath) {
    return FreeBytesForOutput(outputPath);
}

bool CMainDlg::StartJob(JobInputs inputs) {
    return runner_.Start(std::move(inputs), model_.jobState, *channel_) ==
           JobRunner::StartResult::Started;
}

bool CMainDlg::JobRunning() const {
    return runner_.IsRunning();
}

FileChoice CMainDlg::ChooseFile(bool open, const std::string& title, const std::string& filter,
                                const std::string& extension) {
    return ShowChooser(this, open, title, filter, extension);
}

bool CMainDlg::AskToReplace(const std::string& path) {
    return orvane::AskToReplace(this, ChooserTitle(false, "CDG"), path);
}

void CMainDlg::ShowPaths() {
    const auto show = [](wxStaticText* field, const std::string& path) {
        field->SetLabelText(WxText(path));
        field->SetToolTip(WxText(path));
    };
    show(bitmapPathText_, model_.bitmapPath);
    show(wavePathText_, model_.wavePath);
    show(outputPathText_, model_.outputPath);
}

// A newly loaded picture shows at once, not at the next paint.
void CMainDlg::RedrawPreview() {
    preview_->Refresh(false);
    preview_->Update();
}

}  // namespace orvane
