#include "app/player_dlg.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>

#include <filesystem>

#include "app/message_box.h"
#include "app/player_frame.h"
#include "app/player_keys.h"
#include "app/player_window_group.h"
#include "player/screen_render.h"
#include "res/resources.h"

namespace orvane {

namespace {

// The screen is redrawn at most this often (25 a second, as PAL video
// plays), and only when it changed: a redraw sends the whole scaled screen
// to the display, which is most of the window's cost while playing.
constexpr int kTickMs = 40;

PlayerKey KeyOf(int code) {
    switch (code) {
        case WXK_SPACE:
            return PlayerKey::Space;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return PlayerKey::Left;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return PlayerKey::Right;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            return PlayerKey::PageUp;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            return PlayerKey::PageDown;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return PlayerKey::Home;
        case WXK_END:
        case WXK_NUMPAD_END:
            return PlayerKey::End;
        case WXK_ESCAPE:
            return PlayerKey::Escape;
        case WXK_F1:
            return PlayerKey::F1;
        case '+':
        case '=':
        case WXK_NUMPAD_ADD:
            return PlayerKey::Plus;
        case '-':
        case WXK_NUMPAD_SUBTRACT:
            return PlayerKey::Minus;
        default:
            return PlayerKey::Other;
    }
}

int SliderValue(std::uint64_t sectors) {
    return static_cast<int>(std::min<std::uint64_t>(sectors, INT32_MAX));
}

}  // namespace

// The decoded screen, kept at its own size and scaled by the display as it
// paints. Only the tiles that changed since the last frame are painted and
// sent to the display again: a player's screen mostly changes a few tiles
// at a time. It takes no focus: the keys belong to the window.
class PlayerScreen : public wxWindow {
  public:
    PlayerScreen(wxWindow* parent, int factor)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetFactor(factor);
        Bind(wxEVT_PAINT, &PlayerScreen::OnPaint, this);
    }

    void SetFactor(int factor) {
        factor_ = factor;
        const wxSize size(kCdgWidth * factor, kCdgHeight * factor);
        SetMinSize(size);
        SetSize(size);
        Refresh(false);
    }
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

    void Show(const CdgScreen& screen) {
        RenderRgb(screen, next_.data());
        const std::vector<TileRun> runs =
            bitmap_.IsOk() ? ChangedTiles(shown_.data(), next_.data()) : AllTiles();
        if (runs.empty()) return;
        shown_ = next_;
        bitmap_ = wxBitmap(wxImage(kCdgWidth, kCdgHeight, shown_.data(), true));
        for (const TileRun& run : runs)
            RefreshRect(
                wxRect(run.first * kCdgTileWidth * factor_, run.row * kCdgTileHeight * factor_,
                       run.count * kCdgTileWidth * factor_, kCdgTileHeight * factor_),
                false);
    }

  private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        if (!bitmap_.IsOk()) return;
        dc.SetUserScale(factor_, factor_);
        dc.DrawBitmap(bitmap_, 0, 0, false);
    }

    int factor_ = kDefaultScreenFactor;
    RgbScreen shown_{};
    RgbScreen next_{};
    wxBitmap bitmap_;
};

CPlayerDlg::CPlayerDlg(wxWindow* parent, std::unique_ptr<PlayerSession> session,
                       const std::string& path)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      session_(std::move(session)),
      timer_(this) {
    const std::string name = std::filesystem::path(path).filename().string();
    SetTitle(WxText(name + " - Orvane"));
    SetIcons(ProgramIcons());
    const wxRect display = wxDisplay(parent ? wxDisplay::GetFromWindow(parent) : 0).GetClientArea();
    largestFactor_ = LargestScreenFactor(display.width, display.height);
    factor_ = std::min(kDefaultScreenFactor, largestFactor_);
    CreateControls();
    TakeOwnInput(*this);
    Bind(wxEVT_CHAR_HOOK, &CPlayerDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CPlayerDlg::OnClose, this);
    // Close, Escape and the close box end the window, not only hide it.
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Close(); }, wxID_CANCEL);
    if (parent != nullptr) parent->Bind(wxEVT_SHOW, &CPlayerDlg::OnParentShow, this);
    Bind(wxEVT_TIMER, &CPlayerDlg::OnTimer, this, timer_.GetId());
    session_->PlayPause();
    ShowState();
    timer_.Start(kTickMs);
}

CPlayerDlg::~CPlayerDlg() {
    timer_.Stop();
    if (wxWindow* parent = GetParent()) parent->Unbind(wxEVT_SHOW, &CPlayerDlg::OnParentShow, this);
}

CPlayerDlg* CPlayerDlg::Find(wxWindow* parent) {
    for (wxWindow* child : parent->GetChildren()) {
        auto* player = dynamic_cast<CPlayerDlg*>(child);
        if (player != nullptr && !player->closing_) return player;
    }
    return nullptr;
}

// The sound stops at once; the window goes when the toolkit is idle.
void CPlayerDlg::OnClose(wxCloseEvent&) {
    if (closing_) return;
    closing_ = true;
    timer_.Stop();
    if (session_->playing()) session_->PlayPause();
    Destroy();
}

// The main window hides when it ends: the player goes with it.
void CPlayerDlg::OnParentShow(wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown()) Close();
}

void CPlayerDlg::CreateControls() {
    auto* top = new wxBoxSizer(wxVERTICAL);
    screen_ = new PlayerScreen(this, factor_);
    screen_->Show(session_->screen());
    top->Add(screen_, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 8);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    playButton_ = new wxButton(this, wxID_ANY, "&Pause");
    slider_ = new wxSlider(this, wxID_ANY, 0, 0, SliderValue(session_->totalSectors()));
    slider_->SetPageSize(static_cast<int>(kPageStepSectors));
    slider_->SetLineSize(static_cast<int>(kSeekStepSectors));
    // As wide as its widest text from the start, so the row never shifts.
    const std::uint64_t total = session_->totalSectors();
    timeText_ = new wxStaticText(this, wxID_ANY, PositionText(total, total));
    auto* closeButton = new wxButton(this, wxID_CANCEL, "&Close");
    row->Add(playButton_, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(slider_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 8);
    row->Add(timeText_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    row->Add(closeButton, 0, wxALIGN_CENTER_VERTICAL);
    top->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    // Two lines: a silent file with a cut tail still shows every problem.
    statusText_ = new wxStaticText(this, wxID_ANY, "\n", wxDefaultPosition, wxDefaultSize,
                                   wxST_NO_AUTORESIZE);
    statusText_->SetMinSize(wxSize(-1, statusText_->GetBestSize().y));
    top->Add(statusText_, 0, wxEXPAND | wxALL, 8);
    SetSizerAndFit(top);
    Centre(wxBOTH);

    playButton_->Bind(wxEVT_BUTTON, &CPlayerDlg::OnPlayButton, this);
    slider_->Bind(wxEVT_SCROLL_CHANGED, &CPlayerDlg::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_THUMBTRACK, &CPlayerDlg::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_PAGEUP, &CPlayerDlg::OnSlider, this);
    slider_->Bind(wxEVT_SCROLL_PAGEDOWN, &CPlayerDlg::OnSlider, this);
    playButton_->SetFocus();
}

wxWindow* CPlayerDlg::Screen() const {
    return screen_;
}

std::string CPlayerDlg::TimeText() const {
    return std::string(timeText_->GetLabel().utf8_str());
}

std::string CPlayerDlg::StatusLine() const {
    return std::string(shownStatus_.utf8_str());
}

// The player's keys work wherever the focus is; the rest (Tab, Enter or
// Space on a button, Alt+letter) keep the toolkit's handling.
void CPlayerDlg::OnCharHook(wxKeyEvent& event) {
    const PlayerKey key = KeyOf(event.GetKeyCode());
    const int modifiers = event.GetModifiers();
    const bool onButton = dynamic_cast<wxButton*>(FindFocus()) != nullptr;
    const PlayerAction action = ActionForKey(key, modifiers & wxMOD_SHIFT,
                                             modifiers & (wxMOD_CONTROL | wxMOD_ALT), onButton);
    switch (action) {
        case PlayerAction::None:
            if (key != PlayerKey::F1) event.Skip();
            return;
        case PlayerAction::Help:
            RequestHelp();
            return;
        case PlayerAction::ZoomIn:
        case PlayerAction::ZoomOut:
            Zoom(ZoomedFactor(action, factor_, largestFactor_));
            return;
        case PlayerAction::Close:
            Close();
            return;
        case PlayerAction::PlayPause:
            session_->PlayPause();
            break;
        default:
            session_->Seek(SeekTarget(action, session_->position(), session_->totalSectors()));
            break;
    }
    Tick();
}

void CPlayerDlg::Zoom(int factor) {
    if (factor == factor_) return;
    factor_ = factor;
    screen_->SetFactor(factor);
    screen_->Show(session_->screen());
    GetSizer()->SetSizeHints(this);
    Fit();
    Centre(wxBOTH);
    shownStatus_.clear();  // wrapped again at the new width
    ShowState();
}

// The main window, the player's parent, opens the help page.
void CPlayerDlg::RequestHelp() {
    if (wxWindow* parent = GetParent()) {
        wxHelpEvent help(wxEVT_HELP, parent->GetId());
        help.SetEventObject(this);
        parent->GetEventHandler()->ProcessEvent(help);
    }
}

void CPlayerDlg::OnPlayButton(wxCommandEvent&) {
    session_->PlayPause();
    Tick();
}

void CPlayerDlg::OnSlider(wxScrollEvent& event) {
    session_->Seek(static_cast<std::uint64_t>(std::max(0, event.GetPosition())));
    Tick();
}

void CPlayerDlg::OnTimer(wxTimerEvent&) {
    Tick();
}

void CPlayerDlg::Tick() {
    if (session_->Follow()) screen_->Show(session_->screen());
    ShowState();
}

// Controls are only touched when what they show changes: GTK repaints each
// change, and the window must stay cheap while playing.
void CPlayerDlg::ShowState() {
    const std::uint64_t position = session_->position();
    const int value = SliderValue(position);
    if (SliderMoves(slider_->GetValue(), value, slider_->GetMax(), slider_->GetSize().x,
                    session_->playing()))
        slider_->SetValue(value);
    const wxString time = PositionText(position, session_->totalSectors());
    if (timeText_->GetLabel() != time) timeText_->SetLabel(time);
    const wxString caption = session_->playing() ? "&Pause" : "&Play";
    if (playButton_->GetLabel() != caption) playButton_->SetLabel(caption);
    const wxString status = WxText(StatusText(session_->notes()));
    if (status != shownStatus_) {
        shownStatus_ = status;
        statusText_->SetLabel(status);
        statusText_->Wrap(statusText_->GetClientSize().x);
        statusText_->SetToolTip(status);
    }
}

}  // namespace orvane
