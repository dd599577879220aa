#include "app/main_dlg.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <filesystem>

#include "about/about_dlg.h"
#include "about/desktop_opener.h"
#include "app/help_page.h"
#include "app/preview.h"
#include "app/shared_state.h"
#include "app/system_menu.h"
#include "res/layout_builder.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace orvane {

namespace {

bool IsBrowseButton(int id) {
    return id == IDC_BROWSE_BITMAP || id == IDC_BROWSE_WAVE || id == IDC_BROWSE_OUTPUT;
}

// GTK draws no border around a static text, so a path field's sunken frame
// is a panel around it; the panel stays out of the tab order.
class PathFrame : public wxPanel {
  public:
    using wxPanel::wxPanel;
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
};

// Long paths are shortened in the middle.
wxStaticText* CreatePathField(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size) {
    auto* frame = new PathFrame(parent, wxID_ANY, pos, size, wxBORDER_SUNKEN);
    const wxSize inside = frame->GetClientSize();
    auto* text = new wxStaticText(frame, id, wxString(), wxDefaultPosition, wxDefaultSize,
                                  wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE);
    const int height = text->GetBestSize().y;
    text->SetSize(3, std::max(0, (inside.y - height) / 2), std::max(0, inside.x - 6), height);
    return text;
}

// Own ids for the two window commands: wx's stock close id would show a Ctrl+W
// that the window does not have.
constexpr int kMinimizeCommand = 0x7F20;
constexpr int kCloseCommand = 0x7F60;
constexpr int kPlayImageCommand = 0x7F70;
constexpr int kExportCommand = 0x7F71;
constexpr int kImportPictureCommand = 0x7F72;
constexpr int kImportRecordingCommand = 0x7F73;
constexpr int kMakeDiscCommand = 0x7F74;

int MenuId(MenuCommand command) {
    switch (command) {
        case MenuCommand::Minimize:
            return kMinimizeCommand;
        case MenuCommand::Close:
            return kCloseCommand;
        case MenuCommand::PlayImage:
            return kPlayImageCommand;
        case MenuCommand::ExportForPlayers:
            return kExportCommand;
        case MenuCommand::MakeDisc:
            return kMakeDiscCommand;
        case MenuCommand::ImportPicture:
            return kImportPictureCommand;
        case MenuCommand::ImportRecording:
            return kImportRecordingCommand;
        case MenuCommand::About:
            return IDM_ABOUTBOX;
        case MenuCommand::Separator:
            break;
    }
    return wxID_SEPARATOR;
}

wxString FromView(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

}  // namespace

wxMenu* BuildContextMenu(std::string_view aboutString) {
    auto* menu = new wxMenu;
    for (const MenuEntry& entry : SystemMenuEntries(aboutString)) {
        if (entry.command == MenuCommand::Separator) {
            menu->AppendSeparator();
        } else {
            menu->Append(MenuId(entry.command), wxString::FromUTF8(entry.label));
        }
    }
    return menu;
}

CMainDlg::CMainDlg() : CMainDlg(jobState, picture) {}

CMainDlg::CMainDlg(JobState& state, Picture& shownPicture)
    : wxDialog(nullptr, IDD_MAIN, FromView(MainLayout().caption), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX),
      model_{state, shownPicture},
      jobControl_(model_, *this),
      fileSelection_(model_, *this),
      channel_(std::make_unique<StatusChannel>(
          [this](std::function<void()> call) { CallAfter(std::move(call)); },
          [this](JobStatus code, int value) { OnJobStatus(code, value); })),
      windDownTimer_(this) {
    InitPicture(model_.picture);
    SetIcons(ProgramIcons());
    CreateControls();
    BindEvents();
    SetUpDropTarget();
    // The window keeps its laid-out size: no resizing, no maximizing.
    SetClientSize(LayoutClientSize(this, MainLayout()));
    SetMinSize(GetSize());
    SetMaxSize(GetSize());
    Centre(wxBOTH);
    exitButton_->SetFocus();
}

CMainDlg::~CMainDlg() {
    EndJob();
}

void CMainDlg::EndJob() {
    model_.jobState.stopRequested = true;
    channel_->Close();
    runner_.Wait();
    windDownTimer_.Stop();
}

bool CMainDlg::EndJobWithin(std::chrono::milliseconds limit) {
    model_.jobState.stopRequested = true;
    channel_->Close();
    if (!runner_.WaitFor(limit)) return false;
    windDownTimer_.Stop();
    return true;
}

void CMainDlg::CreateControls() {
    for (const ControlSpec& entry : MainLayout().controls) CreateControl(entry);
    // The preview lies over the "Graphics" frame, centred in it exactly.
    const wxRect frame = graphicsFrame_->GetRect();
    const wxPoint at(frame.x + (frame.width - kPictureWidth) / 2,
                     frame.y + (frame.height - kPictureHeight) / 2);
    preview_ = new PreviewWindow(this, at, model_.picture);
}

wxWindow* CMainDlg::CreateControl(const ControlSpec& entry) {
    const wxRect rect = DialogUnitsToPixels(this, entry);
    const wxPoint pos = rect.GetPosition();
    const wxSize size = rect.GetSize();
    // Exit carries wx's Cancel id, so Escape and the close box reach it.
    const int id = WindowIdFor(entry.id);
    // Captions that only name the control class are never shown.
    const wxString caption = entry.captionHidden ? wxString() : FromView(entry.caption);
    switch (entry.kind) {
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            if (IsBrowseButton(entry.id)) {
                auto* button = new wxBitmapButton(this, id, BrowseBitmap(), pos, size);
                if (entry.id == IDC_BROWSE_BITMAP) browseBitmapButton_ = button;
                if (entry.id == IDC_BROWSE_WAVE) browseWaveButton_ = button;
                if (entry.id == IDC_BROWSE_OUTPUT) browseOutputButton_ = button;
                return button;
            }
            auto* button = new wxButton(this, id, caption, pos, size);
            if (id == wxID_CANCEL) exitButton_ = button;
            if (entry.id == IDC_START) startButton_ = button;
            return button;
        }
        case ControlKind::GroupBox: {
            auto* box = new wxStaticBox(this, id, caption, pos, size);
            if (entry.id == IDC_GRAPHICS_FRAME) graphicsFrame_ = box;
            return box;
        }
        case ControlKind::PathField: {
            wxStaticText* text = CreatePathField(this, id, pos, size);
            if (entry.id == IDC_BITMAP_PATH) bitmapPathText_ = text;
            if (entry.id == IDC_WAVE_PATH) wavePathText_ = text;
            if (entry.id == IDC_OUTPUT_PATH) outputPathText_ = text;
            return text;
        }
        case ControlKind::ListBox:
            logList_ = new wxListBox(this, id, pos, size, 0, nullptr,
                                     wxLB_SINGLE | wxLB_ALWAYS_SB | wxBORDER_SUNKEN);
            return logList_;
        case ControlKind::Gauge:
            progressBar_ = new wxGauge(this, id, 100, pos, size, wxGA_HORIZONTAL | wxGA_SMOOTH);
            return progressBar_;
        case ControlKind::Text:
        case ControlKind::Icon:
            return new wxStaticText(this, id, caption, pos, size);
    }
    return nullptr;
}

void CMainDlg::BindEvents() {
    Bind(wxEVT_BUTTON, &CMainDlg::OnStartStop, this, IDC_START);
    Bind(wxEVT_BUTTON, &CMainDlg::OnBrowseBitmap, this, IDC_BROWSE_BITMAP);
    Bind(wxEVT_BUTTON, &CMainDlg::OnBrowseWave, this, IDC_BROWSE_WAVE);
    Bind(wxEVT_BUTTON, &CMainDlg::OnBrowseOutput, this, IDC_BROWSE_OUTPUT);
    // Exit, Escape and the close box all arrive as the Cancel command.
    Bind(wxEVT_BUTTON, &CMainDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CHAR_HOOK, &CMainDlg::OnCharHook, this);
    Bind(wxEVT_CONTEXT_MENU, &CMainDlg::OnContextMenu, this);
    // The About box passes its help requests on to its parent, this window.
    Bind(wxEVT_HELP, [this](wxHelpEvent&) { OpenHelpPage(); });
    Bind(wxEVT_MENU, &CMainDlg::OnMenuCommand, this);
    Bind(wxEVT_TIMER, &CMainDlg::OnWindDownTimer, this, windDownTimer_.GetId());
    logList_->Bind(wxEVT_KEY_DOWN, &CMainDlg::OnLogKey, this);
    // The log shows no selection.
    logList_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { logList_->SetSelection(wxNOT_FOUND); });
}

void CMainDlg::OnStartStop(wxCommandEvent&) {
    jobControl_.OnStartStop();
}

void CMainDlg::OnBrowseBitmap(wxCommandEvent&) {
    fileSelection_.OnBrowseBitmap();
}

void CMainDlg::OnBrowseWave(wxCommandEvent&) {
    fileSelection_.OnBrowseWave();
}

void CMainDlg::OnBrowseOutput(wxCommandEvent&) {
    fileSelection_.OnBrowseOutput();
}

void CMainDlg::OnJobStatus(JobStatus code, int value) {
    jobControl_.OnJobStatus(code, value);
}

void CMainDlg::OnCancel(wxCommandEvent&) {
    EndWith(wxID_CANCEL);
}

// Every way out asks a running job to stop; the program then waits for it
// (EndJob) before it ends, so the output's files are closed.
void CMainDlg::EndWith(int returnCode) {
    model_.jobState.stopRequested = true;
    EndDialog(returnCode);
}

// Enter on the log list is the OK route out of the window.
void CMainDlg::OnLogKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER)
        EndWith(wxID_OK);
    else
        event.Skip();
}

// F1 opens the help page; with Shift, Ctrl or Alt held it does nothing.
void CMainDlg::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() != WXK_F1) {
        event.Skip();  // Escape and the rest keep the dialog's own handling
        return;
    }
    if (event.GetModifiers() == wxMOD_NONE) OpenHelpPage();
}

// A menu asked for with the keyboard (the Menu key, Shift+F10) has no
// position: it opens below the focused control, as keyboard menus do, not
// wherever the mouse pointer happens to be.
void CMainDlg::OnContextMenu(wxContextMenuEvent& event) {
    std::unique_ptr<wxMenu> menu(BuildContextMenu(kAboutString));
    wxWindow* focus = FindFocus();
    if (event.GetPosition() != wxDefaultPosition || focus == nullptr) {
        PopupMenu(menu.get());
        return;
    }
    PopupMenu(menu.get(), ScreenToClient(focus->GetScreenRect().GetBottomLeft()));
}

void CMainDlg::OnMenuCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
        case kMinimizeCommand:
            Iconize(true);
            break;
        case kCloseCommand:
            Close();
            break;
        case kPlayImageCommand:
            OnPlayImage();
            break;
        case kExportCommand:
            OnExportForPlayers();
            break;
        case kMakeDiscCommand:
            OnMakeDisc();
            break;
        case kImportPictureCommand:
            OnImportPicture();
            break;
        case kImportRecordingCommand:
            OnImportRecording();
            break;
        case IDM_ABOUTBOX: {
            CAboutDlg dlg(this);
            dlg.ShowModal();
            break;
        }
        default:
            event.Skip();
            break;
    }
}

void CMainDlg::OpenHelpPage() {
    std::error_code error;
    const std::string page = FindHelpPage(std::filesystem::current_path(error), ProgramDir());
    if (!page.empty()) OpenOnDesktop(page);
}

void CMainDlg::OnWindDownTimer(wxTimerEvent&) {
    if (runner_.IsRunning()) return;
    windDownTimer_.Stop();
    jobControl_.OnJobThreadEnded();
}

wxWindow* CMainDlg::Preview() const {
    return preview_;
}

wxStaticText* CMainDlg::PathField(int id) const {
    switch (id) {
        case IDC_BITMAP_PATH:
            return bitmapPathText_;
        case IDC_WAVE_PATH:
            return wavePathText_;
        case IDC_OUTPUT_PATH:
            return outputPathText_;
        default:
            return nullptr;
    }
}

}  // namespace orvane
