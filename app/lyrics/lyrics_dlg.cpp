#include "app/lyrics/lyrics_dlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dnd.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <filesystem>

#include "app/lyrics/lyrics_views.h"
#include "app/lyrics_choice.h"
#include "app/message_box.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace orvane {

namespace {

constexpr int kTickMs = 20;
constexpr const char* kHint =
    "Space plays, then marks each word as it starts. Enter ends a line, Backspace steps back, "
    "Left/Right seek 2 s, Alt+Left/Right move the chosen mark 10 ms, Ctrl+Z/Ctrl+Y undo and redo.";
constexpr const char* kSaveFilter =
    "Enhanced LRC (*.lrc)|*.lrc|ASS with karaoke tags (*.ass)|*.ass";
constexpr const char* kRecordingFilter =
    "Sound files (*.wav;*.mp3;*.flac;*.ogg;*.m4a)|*.wav;*.mp3;*.flac;*.ogg;*.m4a|All Files "
    "(*.*)|*.*";

TimingKey KeyOf(int code) {
    switch (code) {
        case WXK_SPACE:
            return TimingKey::Space;
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return TimingKey::Enter;
        case WXK_BACK:
            return TimingKey::Backspace;
        case WXK_LEFT:
            return TimingKey::Left;
        case WXK_RIGHT:
            return TimingKey::Right;
        case WXK_HOME:
            return TimingKey::Home;
        case 'P':
            return TimingKey::P;
        case 'S':
            return TimingKey::S;
        case 'Z':
            return TimingKey::Z;
        case 'Y':
            return TimingKey::Y;
        default:
            return TimingKey::Other;
    }
}

// Lyrics files open in the window, anything else is taken as the recording.
class WindowDropTarget : public wxFileDropTarget {
  public:
    explicit WindowDropTarget(LyricsDlg* dialog) : dialog_(dialog) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
        if (names.empty()) return false;
        const std::string path(names[0].fn_str());
        dialog_->CallAfter([dialog = dialog_, path] {
            if (IsLyricsFileName(path))
                dialog->OpenLyricsFile(path);
            else
                dialog->OpenRecordingFile(path);
        });
        return true;
    }

  private:
    LyricsDlg* dialog_;
};

}  // namespace

LyricsDlg::LyricsDlg(wxWindow* parent, const LyricsWindowStart& start, UseLyrics use)
    : wxDialog(parent, wxID_ANY, "Lyrics - Orvane", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX | wxRESIZE_BORDER),
      use_(std::move(use)),
      timer_(this) {
    SetIcons(ProgramIcons());
    session_.SetPicture(start.picture);
    CreateControls();
    SetDropTarget(new WindowDropTarget(this));
    Bind(wxEVT_CHAR_HOOK, &LyricsDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &LyricsDlg::OnClose, this);
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); }, timer_.GetId());
    SetStatus(kHint);
    if (!start.recordingPath.empty()) OpenRecordingFile(start.recordingPath);
    if (!start.lyricsPath.empty()) OpenLyricsFile(start.lyricsPath);
    ShowTitle();
    Tick();
    timer_.Start(kTickMs);
}

LyricsDlg::~LyricsDlg() {
    timer_.Stop();
}

void LyricsDlg::CreateControls() {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* views = new wxBoxSizer(wxHORIZONTAL);
    textView_ = new LyricsTextView(this, session_.Model(),
                                   [this](std::size_t slot) { OnWordClicked(slot); });
    preview_ = new CdgView(this);
    views->Add(textView_, 1, wxEXPAND | wxRIGHT, 8);
    views->Add(preview_, 0, wxALIGN_TOP);
    top->Add(views, 1, wxEXPAND | wxALL, 8);
    strip_ = new WaveStrip(this, session_, [this](std::int64_t ms) { session_.SeekMs(ms); });
    top->Add(strip_, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    top->Add(CreateButtons(), 0, wxEXPAND | wxALL, 8);
    statusText_ = new wxStaticText(this, wxID_ANY, "\n", wxDefaultPosition, wxDefaultSize,
                                   wxST_NO_AUTORESIZE);
    statusText_->SetMinSize(wxSize(-1, statusText_->GetBestSize().y));
    top->Add(statusText_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);
    SetMinSize(GetSize());
    Centre(wxBOTH);
}

wxSizer* LyricsDlg::CreateButtons() {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const auto add = [this, row](const char* label, auto handler, int id = wxID_ANY) {
        auto* button = new wxButton(this, id, label);
        button->Bind(wxEVT_BUTTON, [handler](wxCommandEvent&) { handler(); });
        row->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
        return button;
    };
    playButton_ = add("&Play", [this] { Act(TimingAction::PlayPause, 0); });
    wxArrayString speeds;
    for (const int percent : kTimingSpeeds) speeds.Add(wxString::Format("%d %%", percent));
    speedChoice_ = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, speeds);
    speedChoice_->SetSelection(static_cast<int>(std::size(kTimingSpeeds)) - 1);
    speedChoice_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { OnSpeed(); });
    row->Add(speedChoice_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    timeText_ = new wxStaticText(this, wxID_ANY, "00:00.00 / 00:00.00");
    row->Add(timeText_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    row->AddStretchSpacer();
    add("Open &text...", [this] { OnOpenText(); });
    add("&Recording...", [this] { OnOpenRecording(); });
    add("&Save", [this] { Save(false); });
    add("Save &as...", [this] { Save(true); });
    add("&Use for the image", [this] { OnUse(); });
    add(
        "&Close", [this] { Close(); }, wxID_CANCEL);
    return row;
}

std::string LyricsDlg::StatusLine() const {
    return std::string(statusText_->GetLabel().utf8_str());
}

void LyricsDlg::SetStatus(const std::string& text) {
    statusText_->SetLabel(WxText(text));
    statusText_->Wrap(statusText_->GetSize().x > 0 ? statusText_->GetSize().x : 600);
}

void LyricsDlg::ShowTitle() {
    const std::string& path = session_.LyricsPath();
    const std::string name =
        path.empty() ? std::string("Lyrics") : std::filesystem::path(path).filename().string();
    const wxString title = WxText(name + (session_.Model().Modified() ? " *" : "") + " - Orvane");
    if (GetTitle() != title) SetTitle(title);
}

// Labels and the title are set only when they change: each change costs the
// toolkit a layout, and a busy window would press keys late for the author.
void LyricsDlg::Tick() {
    const std::int64_t now = session_.NowMs();
    const wxString play = session_.Playing() ? "&Pause" : "&Play";
    if (playButton_->GetLabel() != play) playButton_->SetLabel(play);
    const wxString time = WxText(ClockText(now) + " / " + ClockText(session_.LengthMs()));
    if (timeText_->GetLabel() != time) timeText_->SetLabel(time);
    textView_->Follow(session_.Model().SyllableAt(now));
    strip_->Follow();
    CdgScreen screen;
    if (session_.PreviewScreen(screen)) preview_->Show(screen);
    ShowTitle();
}

// Keys act wherever the focus is: buttons never see Space or Enter here.
void LyricsDlg::OnCharHook(wxKeyEvent& event) {
    const TimingAction action =
        ActionForTimingKey(KeyOf(event.GetKeyCode()), event.ControlDown(), event.AltDown(),
                           event.ShiftDown(), session_.Playing());
    if (action == TimingAction::None) {
        // Enter and Space while paused are no button presses either.
        const TimingKey key = KeyOf(event.GetKeyCode());
        if (key != TimingKey::Enter && key != TimingKey::Space) event.Skip();
        return;
    }
    const auto stamp = static_cast<std::uint32_t>(event.GetTimestamp());
    Act(action, KeyAgeMs(stamp, MonotonicMs()));
}

void LyricsDlg::Act(TimingAction action, std::uint32_t ageMs) {
    TimingModel& model = session_.Model();
    switch (action) {
        case TimingAction::Play:
            if (!session_.HasRecording()) SetStatus("Choose a recording first: Recording...");
            session_.Play();
            break;
        case TimingAction::PlayPause:
            session_.Playing() ? session_.Pause() : session_.Play();
            break;
        case TimingAction::Tap:
            if (!session_.Tap(ageMs)) SetStatus("Every word is marked.");
            break;
        case TimingAction::EndLine:
            session_.EndLine(ageMs);
            break;
        case TimingAction::StepBack:
            model.StepBack();
            break;
        case TimingAction::Back:
        case TimingAction::Forward:
        case TimingAction::ToStart:
            session_.SeekMs(TimingSeekTarget(action, session_.NowMs(), session_.LengthMs()));
            break;
        case TimingAction::NudgeEarlier:
        case TimingAction::NudgeLater:
            model.Nudge(action == TimingAction::NudgeLater ? kNudgeMs : -kNudgeMs);
            break;
        case TimingAction::Undo:
            model.Undo();
            break;
        case TimingAction::Redo:
            model.Redo();
            break;
        case TimingAction::Save:
            Save(false);
            break;
        case TimingAction::None:
            break;
    }
    Tick();
}

// The word is timed again by the next Space, heard from just before it.
void LyricsDlg::OnWordClicked(std::size_t slot) {
    TimingModel& model = session_.Model();
    model.MoveCursor(slot);
    if (model.Mark(slot)) model.Select(slot);
    std::optional<std::int64_t> earlier;
    for (const TimingMark& mark : model.Marks())
        if (mark.slot < slot) earlier = mark.ms;
    session_.SeekMs(ClickPlayFrom(model.Mark(slot), earlier));
    session_.Play();
    Tick();
}

void LyricsDlg::OnSpeed() {
    const int index = speedChoice_->GetSelection();
    if (index >= 0 && index < static_cast<int>(std::size(kTimingSpeeds)))
        session_.SetSpeed(kTimingSpeeds[index]);
}

bool LyricsDlg::MayDiscardChanges(const std::string& question) {
    if (!session_.Model().Modified()) return true;
    return ShowQuestionBox(
        {this, question, kProgramName, wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION});
}

void LyricsDlg::OpenLyricsFile(const std::string& path) {
    if (!MayDiscardChanges("The marks have changes that are not saved. Open " + path +
                           " without saving them?"))
        return;
    const std::string refusal = session_.OpenLyrics(path);
    if (!refusal.empty()) {
        ShowMessageBox({this, refusal, kProgramName, wxOK | wxICON_ERROR});
        return;
    }
    SetStatus(kHint);
    Tick();
}

void LyricsDlg::OpenRecordingFile(const std::string& path) {
    std::string refusal;
    {
        wxBusyCursor busy;
        refusal = session_.OpenRecording(path);
    }
    if (!refusal.empty()) {
        ShowMessageBox(
            {this, "Cannot play " + path + ":\n" + refusal, kProgramName, wxOK | wxICON_ERROR});
        return;
    }
    if (!session_.SoundNote().empty()) SetStatus("No sound: " + session_.SoundNote());
    OnSpeed();
    Tick();
}

void LyricsDlg::OnOpenText() {
    const FileChoice choice = ShowChooser(this, true, "Open text or lyrics", kLyricsChooserFilter,
                                          "txt", session_.LyricsPath());
    if (choice.chosen) OpenLyricsFile(choice.path);
}

void LyricsDlg::OnOpenRecording() {
    const FileChoice choice = ShowChooser(this, true, "Open recording", kRecordingFilter, "wav",
                                          session_.RecordingPath());
    if (choice.chosen) OpenRecordingFile(choice.path);
}

void LyricsDlg::Save(bool askForName) {
    std::string target = askForName ? std::string() : session_.SaveTarget();
    if (target.empty()) {
        const FileChoice choice = ShowChooser(this, false, "Save lyrics as", kSaveFilter, "lrc",
                                              session_.SuggestedSaveName());
        if (!choice.chosen) return;
        target = choice.path;
    }
    const LyricsSaveResult saved = session_.Save(target);
    if (!saved.ok) {
        ShowMessageBox({this, saved.message, kProgramName, wxOK | wxICON_ERROR});
        return;
    }
    SetStatus("Saved " + target + ".");
    ShowTitle();
}

void LyricsDlg::OnUse() {
    const ToLyricsResult timed = session_.Model().ToLyrics();
    if (!timed.ok) {
        ShowMessageBox({this, timed.reason, kProgramName, wxOK | wxICON_ERROR});
        return;
    }
    use_(timed.lyrics, session_.LyricsPath());
    SetStatus("The main window makes the image with these lyrics when Start is pressed.");
}

void LyricsDlg::OnClose(wxCloseEvent& event) {
    if (event.CanVeto() &&
        !MayDiscardChanges(
            "The marks have changes that are not saved. Close without saving them?")) {
        event.Veto();
        return;
    }
    session_.Pause();
    Destroy();
}

}  // namespace orvane
