#include "app/export_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/gauge.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>

namespace orvane {
namespace {

constexpr int kGaugeRange = 1000;
constexpr int kPollMs = 100;

FolderShower& CurrentFolderShower() {
    static FolderShower shower;
    return shower;
}

QuestionShower& CurrentQuestionShower() {
    static QuestionShower shower;
    return shower;
}

std::string ChooseFolder(wxWindow* owner, const std::string& start) {
    if (CurrentFolderShower()) return CurrentFolderShower()(owner, start);
    wxDirDialog chooser(owner, "Folder for the exported files", WxText(start),
                        wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (chooser.ShowModal() != wxID_OK) return {};
    return chooser.GetPath().utf8_string();
}

const char* const kKindLabels[] = {
    "MP3+G zip (NAME.zip holding NAME.mp3 and NAME.cdg)",
    "MP3 + CDG (NAME.mp3 and NAME.cdg)",
    "WAV + CDG (NAME.wav and NAME.cdg)",
    "WAV+G zip (NAME.zip holding NAME.wav and NAME.cdg)",
    "cdrdao file for burning the image (NAME.toc)",
};

}  // namespace

void SetFolderShower(FolderShower shower) {
    CurrentFolderShower() = std::move(shower);
}
void SetQuestionShower(QuestionShower shower) {
    CurrentQuestionShower() = std::move(shower);
}

bool AskQuestion(const BoxRequest& request) {
    if (CurrentQuestionShower()) return CurrentQuestionShower()(request);
    return wxMessageBox(WxText(request.text), WxText(request.caption), request.style,
                        request.owner) == wxYES;
}

ExportDlg::ExportDlg(wxWindow* parent, const std::string& image, LogLine log)
    : wxDialog(parent, wxID_ANY, "Export for players"), log_(std::move(log)), timer_(this) {
    if (!image.empty()) choices_ = WithImage(choices_, image);
    CreateControls();
    ShowChoices();
    Bind(wxEVT_TIMER, &ExportDlg::OnTimer, this);
    Bind(wxEVT_CLOSE_WINDOW, &ExportDlg::OnClose, this);
    Centre(wxBOTH);
}

ExportDlg::~ExportDlg() {
    timer_.Stop();
    session_.Stop();
    session_.Wait();
}

void ExportDlg::CreateControls() {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(3, wxSize(8, 8));
    grid->AddGrowableCol(1);
    auto addRow = [&](const char* label, wxWindow* field, wxWindow* button) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
        if (button)
            grid->Add(button);
        else
            grid->AddSpacer(0);
    };
    const long pathStyle = wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE;
    imageText_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(420, -1), pathStyle);
    chooseImage_ = new wxButton(this, wxID_ANY, "&Image...");
    addRow("Image:", imageText_, chooseImage_);
    folderText_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(420, -1), pathStyle);
    chooseFolder_ = new wxButton(this, wxID_ANY, "&Folder...");
    addRow("Folder:", folderText_, chooseFolder_);
    baseName_ = new wxTextCtrl(this, wxID_ANY);
    addRow("Base name:", baseName_, nullptr);
    top->Add(grid, 0, wxEXPAND | wxALL, 12);

    auto* files = new wxStaticBoxSizer(wxVERTICAL, this, "Files to write");
    for (int k = 0; k < kKinds; ++k) {
        kinds_[k] = new wxCheckBox(files->GetStaticBox(), wxID_ANY, wxString(kKindLabels[k]));
        files->Add(kinds_[k], 0, wxALL, 4);
    }
    top->Add(files, 0, wxEXPAND | wxLEFT | wxRIGHT, 12);

    statusText_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                                   wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE);
    top->Add(statusText_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 12);
    gauge_ = new wxGauge(this, wxID_ANY, kGaugeRange);
    top->Add(gauge_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 12);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    exportButton_ = new wxButton(this, wxID_ANY, "&Export");
    closeButton_ = new wxButton(this, wxID_CANCEL, "&Close");
    buttons->AddStretchSpacer();
    buttons->Add(exportButton_, 0, wxRIGHT, 8);
    buttons->Add(closeButton_);
    top->Add(buttons, 0, wxEXPAND | wxALL, 12);
    SetSizerAndFit(top);
    exportButton_->SetDefault();

    chooseImage_->Bind(wxEVT_BUTTON, &ExportDlg::OnChooseImage, this);
    chooseFolder_->Bind(wxEVT_BUTTON, &ExportDlg::OnChooseFolder, this);
    exportButton_->Bind(wxEVT_BUTTON, &ExportDlg::OnExportStop, this);
}

void ExportDlg::ShowChoices() {
    imageText_->SetLabel(WxText(choices_.image.empty() ? "(none chosen)" : choices_.image));
    imageText_->SetToolTip(WxText(choices_.image));
    folderText_->SetLabel(WxText(choices_.folder));
    folderText_->SetToolTip(WxText(choices_.folder));
    baseName_->ChangeValue(WxText(choices_.baseName));
    const bool* flags[] = {&choices_.mp3Zip, &choices_.mp3Cdg, &choices_.wavCdg, &choices_.wavZip,
                           &choices_.toc};
    for (int k = 0; k < kKinds; ++k) kinds_[k]->SetValue(*flags[k]);
}

const ExportChoices& ExportDlg::Choices() {
    choices_.baseName = baseName_->GetValue().utf8_string();
    bool* flags[] = {&choices_.mp3Zip, &choices_.mp3Cdg, &choices_.wavCdg, &choices_.wavZip,
                     &choices_.toc};
    for (int k = 0; k < kKinds; ++k) *flags[k] = kinds_[k]->GetValue();
    return choices_;
}

void ExportDlg::OnChooseImage(wxCommandEvent&) {
    const FileChoice choice = ShowChooser(this, true, "Open CD+G image",
                                          "CD+G images (*.cdg)|*.cdg|All files (*.*)|*.*", "cdg");
    if (!choice.chosen) return;
    Choices();
    choices_ = WithImage(choices_, choice.path);
    ShowChoices();
}

void ExportDlg::OnChooseFolder(wxCommandEvent&) {
    const std::string folder = ChooseFolder(this, choices_.folder);
    if (folder.empty()) return;
    Choices();
    choices_.folder = folder;
    ShowChoices();
}

void ExportDlg::OnExportStop(wxCommandEvent&) {
    if (session_.Running()) {
        session_.Stop();
        exportButton_->Disable();  // until the run has wound down
        return;
    }
    if (flow_.OnExport(Choices())) SetRunning(true);
}

bool ExportDlg::StartExport(const ExportRequest& request) {
    gauge_->SetValue(0);
    return session_.Start(request);
}

void ExportDlg::SetRunning(bool running) {
    exportButton_->SetLabel(running ? "&Stop" : "&Export");
    exportButton_->Enable();
    for (wxWindow* w : {static_cast<wxWindow*>(closeButton_), static_cast<wxWindow*>(chooseImage_),
                        static_cast<wxWindow*>(chooseFolder_), static_cast<wxWindow*>(baseName_)})
        w->Enable(!running);
    for (wxCheckBox* box : kinds_) box->Enable(!running);
    if (running)
        timer_.Start(kPollMs);
    else
        timer_.Stop();
}

void ExportDlg::Poll() {
    ExportSnapshot snapshot = session_.Take();
    if (snapshot.total > 0)
        gauge_->SetValue(static_cast<int>(snapshot.done * kGaugeRange / snapshot.total));
    statusText_->SetLabel(WxText(snapshot.message));
    for (const std::string& line : snapshot.logLines) flow_.OnLogLine(line);
    if (!snapshot.result) return;
    session_.Wait();
    SetRunning(false);
    statusText_->SetLabel(WxText(snapshot.result->message));
    if (snapshot.result->status == ExportStatus::Completed) gauge_->SetValue(kGaugeRange);
    flow_.OnFinished(*snapshot.result);
}

void ExportDlg::OnTimer(wxTimerEvent&) {
    Poll();
}

// Closing while a run goes stops it and waits: the files it had begun are
// removed before the window is gone.
void ExportDlg::OnClose(wxCloseEvent& event) {
    if (session_.Running()) {
        session_.Stop();
        session_.Wait();
        Poll();
    }
    event.Skip();
}

bool ExportDlg::AskToReplace(const std::string& question) {
    return AskQuestion({this, question, "Orvane", wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION});
}

void ExportDlg::ShowBox(const std::string& text, BoxIcon icon) {
    ShowMessageBox(
        {this, text, "Orvane",
         static_cast<long>(wxOK | (icon == BoxIcon::Error ? wxICON_ERROR : wxICON_INFORMATION))});
}

}  // namespace orvane
