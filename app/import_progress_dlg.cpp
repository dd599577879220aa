#include "app/import_progress_dlg.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <chrono>
#include <thread>

#include "app/message_box.h"

namespace orvane {

namespace {

// Often enough for a smooth bar, rare enough to cost nothing.
constexpr int kPollMs = 50;
// Shorter than this and a box would only flash.
constexpr auto kQuiet = std::chrono::milliseconds(250);

}  // namespace

ImportProgressDlg::ImportProgressDlg(wxWindow* parent, const std::string& title,
                                     const std::string& text, ImportTask::Work work)
    : wxDialog(parent, wxID_ANY, WxText(title)), work_(std::move(work)), timer_(this) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* what =
        new wxStaticText(this, wxID_ANY, WxText(text), wxDefaultPosition, wxSize(FromDIP(380), -1),
                         wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE);
    what->SetToolTip(WxText(text));
    top->Add(what, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, 12));
    message_ = new wxStaticText(this, wxID_ANY, "Starting");
    top->Add(message_, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, 12));
    bar_ = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(-1, FromDIP(20)),
                       wxGA_HORIZONTAL | wxGA_SMOOTH);
    top->Add(bar_, wxSizerFlags().Expand().Border(wxALL, 12));
    // Cancel's id, so Escape stops as the button does.
    stopButton_ = new wxButton(this, wxID_CANCEL, "&Stop");
    top->Add(stopButton_, wxSizerFlags().Right().Border(wxLEFT | wxRIGHT | wxBOTTOM, 12));
    SetSizerAndFit(top);
    Centre(wxBOTH);
    Bind(wxEVT_TIMER, &ImportProgressDlg::OnTimer, this);
    Bind(wxEVT_BUTTON, &ImportProgressDlg::OnStop, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &ImportProgressDlg::OnClose, this);
}

ImportProgressDlg::~ImportProgressDlg() {
    timer_.Stop();
}

int ImportProgressDlg::ShowModal() {
    if (!task_.Start(std::move(work_))) {
        outcome_ = ImportOutcome::Failed("No thread could be started for the conversion.");
        return wxID_CANCEL;
    }
    const auto quietEnd = std::chrono::steady_clock::now() + kQuiet;
    while (!task_.Finished() && std::chrono::steady_clock::now() < quietEnd)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (task_.Finished()) {
        outcome_ = task_.Wait();
        return outcome_.ok() ? wxID_OK : wxID_CANCEL;
    }
    timer_.Start(kPollMs);
    return wxDialog::ShowModal();
}

void ImportProgressDlg::OnTimer(wxTimerEvent&) {
    if (task_.Finished()) {
        timer_.Stop();
        outcome_ = task_.Wait();
        EndModal(outcome_.ok() ? wxID_OK : wxID_CANCEL);
        return;
    }
    const wxString message = WxText(task_.Message());
    if (!task_.Stopping() && !message.empty() && message != message_->GetLabelText())
        message_->SetLabelText(message);
    if (task_.Percent() < 0)
        bar_->Pulse();
    else
        bar_->SetValue(task_.Percent());
}

// The box stays until the worker has ended, so its file is gone by then.
void ImportProgressDlg::OnStop(wxCommandEvent&) {
    task_.Stop();
    stopButton_->Disable();
    message_->SetLabelText("Stopping");
}

void ImportProgressDlg::OnClose(wxCloseEvent& event) {
    if (event.CanVeto()) event.Veto();
    wxCommandEvent stop;
    OnStop(stop);
}

}  // namespace orvane
