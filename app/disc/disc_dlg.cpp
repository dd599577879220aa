#include "app/disc/disc_dlg.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "app/disc/fill_bar.h"
#include "app/export_dlg.h"
#include "disc/disc_length.h"

namespace orvane {
namespace {

enum Column { kNumber, kLength, kPerformer, kTitle };

ImagesChooser& CurrentImagesChooser() {
    static ImagesChooser chooser;
    return chooser;
}

TocChooser& CurrentTocChooser() {
    static TocChooser chooser;
    return chooser;
}

wxTextCtrl* Field(wxWindow* parent, wxFlexGridSizer* grid, const char* label) {
    grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    auto* field = new wxTextCtrl(parent, wxID_ANY);
    grid->Add(field, 1, wxEXPAND);
    return field;
}

std::string Utf8(const wxTextCtrl* field) {
    return field->GetValue().utf8_string();
}

}  // namespace

void SetImagesChooser(ImagesChooser chooser) {
    CurrentImagesChooser() = std::move(chooser);
}
void SetTocChooser(TocChooser chooser) {
    CurrentTocChooser() = std::move(chooser);
}

DiscDlg::DiscDlg(wxWindow* parent, const std::string& lastImage, LogLine log, Player play)
    : wxDialog(parent, wxID_ANY, "Make a disc", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      log_(std::move(log)),
      play_(std::move(play)) {
    flow_.OfferFirst(lastImage);
    CreateControls();
    ShowTracks(flow_.Tracks().empty() ? -1 : 0);
    Centre(wxBOTH);
}

wxButton* DiscDlg::AddButton(wxSizer* sizer, const char* label, void (DiscDlg::*handler)()) {
    auto* button = new wxButton(this, wxID_ANY, label);
    button->Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) { (this->*handler)(); });
    sizer->Add(button, 0, wxEXPAND | wxBOTTOM, 6);
    return button;
}

void DiscDlg::CreateControls() {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, "Trac&ks, in the order of the disc:"), 0,
             wxLEFT | wxRIGHT | wxTOP, 12);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    list_ = new wxListView(this, wxID_ANY, wxDefaultPosition, wxSize(520, 220),
                           wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->AppendColumn("#", wxLIST_FORMAT_RIGHT, 40);
    list_->AppendColumn("Length", wxLIST_FORMAT_RIGHT, 70);
    list_->AppendColumn("Performer", wxLIST_FORMAT_LEFT, 170);
    list_->AppendColumn("Title", wxLIST_FORMAT_LEFT, 220);
    row->Add(list_, 1, wxEXPAND | wxRIGHT, 8);
    auto* side = new wxBoxSizer(wxVERTICAL);
    AddButton(side, "&Add images...", &DiscDlg::OnAdd);
    trackButtons_ = {AddButton(side, "&Remove", &DiscDlg::OnRemove),
                     AddButton(side, "Move &up", &DiscDlg::OnUp),
                     AddButton(side, "Move &down", &DiscDlg::OnDown),
                     AddButton(side, "&Play", &DiscDlg::OnPlay)};
    row->Add(side);
    top->Add(row, 1, wxEXPAND | wxALL, 12);

    auto* names = new wxFlexGridSizer(4, wxSize(8, 8));
    names->AddGrowableCol(1);
    names->AddGrowableCol(3);
    performer_ = Field(this, names, "Track p&erformer:");
    title_ = Field(this, names, "Track &title:");
    albumPerformer_ = Field(this, names, "Albu&m performer:");
    albumTitle_ = Field(this, names, "Al&bum title:");
    top->Add(names, 0, wxEXPAND | wxLEFT | wxRIGHT, 12);

    bar_ = new FillBar(this);
    top->Add(bar_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 12);
    fillText_ = new wxStaticText(this, wxID_ANY, "");
    top->Add(fillText_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 12);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* write = new wxButton(this, wxID_ANY, "&Write burn file...");
    write->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnWrite(); });
    buttons->Add(write, 0, wxRIGHT, 8);
    buttons->Add(new wxButton(this, wxID_CANCEL, "&Close"));
    top->Add(buttons, 0, wxEXPAND | wxALL, 12);
    SetSizerAndFit(top);
    write->SetDefault();

    list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { ShowSelected(); });
    list_->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent&) { ShowSelected(); });
    list_->Bind(wxEVT_LIST_BEGIN_DRAG, &DiscDlg::OnBeginDrag, this);
    list_->Bind(wxEVT_LEFT_UP, &DiscDlg::OnDrop, this);
    for (wxTextCtrl* field : {performer_, title_}) {
        field->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnNamesTyped(); });
    }
    for (wxTextCtrl* field : {albumPerformer_, albumTitle_}) {
        field->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnAlbumTyped(); });
    }
}

void DiscDlg::ShowRow(long row) {
    const DiscEntry& entry = flow_.Tracks()[static_cast<std::size_t>(row)];
    list_->SetItem(row, kNumber, std::to_string(row + 1));
    list_->SetItem(row, kLength, MinutesText(entry.image.sectors));
    list_->SetItem(row, kPerformer, WxText(entry.names.performer));
    list_->SetItem(row, kTitle, WxText(entry.names.title));
}

// Fills the list from the flow and selects `select` (-1: none).
void DiscDlg::ShowTracks(long select) {
    list_->DeleteAllItems();
    const long count = static_cast<long>(flow_.Tracks().size());
    for (long row = 0; row < count; ++row) {
        list_->InsertItem(row, "");
        ShowRow(row);
    }
    if (select >= 0 && select < count) {
        list_->Select(select);
        list_->Focus(select);
    }
    const DiscFill fill = flow_.Fill();
    bar_->SetFill(fill);
    fillText_->SetLabel(fill.text + (fill.over80   ? ": too long for an 80-minute disc"
                                     : fill.over74 ? ": needs an 80-minute disc"
                                                   : ""));
    ShowSelected();
}

long DiscDlg::Selected() const {
    return list_->GetFirstSelected();
}

void DiscDlg::ShowSelected() {
    const long row = Selected();
    const bool any = row >= 0;
    for (wxButton* button : trackButtons_) button->Enable(any);
    performer_->Enable(any);
    title_->Enable(any);
    const TrackNames names =
        any ? flow_.Tracks()[static_cast<std::size_t>(row)].names : TrackNames{};
    performer_->ChangeValue(WxText(names.performer));
    title_->ChangeValue(WxText(names.title));
}

void DiscDlg::OnAdd() {
    const std::size_t before = flow_.Tracks().size();
    flow_.OnAdd();
    if (flow_.Tracks().size() > before) ShowTracks(static_cast<long>(flow_.Tracks().size()) - 1);
}

void DiscDlg::OnRemove() {
    const long row = Selected();
    if (row < 0) return;
    flow_.Remove(static_cast<std::size_t>(row));
    ShowTracks(std::min(row, static_cast<long>(flow_.Tracks().size()) - 1));
}

void DiscDlg::OnUp() {
    const long row = Selected();
    if (row <= 0) return;
    flow_.Move(static_cast<std::size_t>(row), static_cast<std::size_t>(row - 1));
    ShowTracks(row - 1);
}

void DiscDlg::OnDown() {
    const long row = Selected();
    if (row < 0 || row + 1 >= static_cast<long>(flow_.Tracks().size())) return;
    flow_.Move(static_cast<std::size_t>(row), static_cast<std::size_t>(row + 1));
    ShowTracks(row + 1);
}

void DiscDlg::OnPlay() {
    if (const long row = Selected(); row >= 0) flow_.OnPlay(static_cast<std::size_t>(row));
}

void DiscDlg::OnWrite() {
    flow_.OnWrite();
}

void DiscDlg::OnNamesTyped() {
    const long row = Selected();
    if (row < 0) return;
    flow_.SetNames(static_cast<std::size_t>(row), {Utf8(performer_), Utf8(title_)});
    ShowRow(row);
}

void DiscDlg::OnAlbumTyped() {
    flow_.SetAlbum({Utf8(albumPerformer_), Utf8(albumTitle_)});
}

void DiscDlg::OnBeginDrag(wxListEvent& event) {
    dragFrom_ = event.GetIndex();
}

// A track dragged onto another takes its place.
void DiscDlg::OnDrop(wxMouseEvent& event) {
    event.Skip();
    const long from = std::exchange(dragFrom_, -1);
    if (from < 0) return;
    int flags = 0;
    const long to = list_->HitTest(event.GetPosition(), flags);
    if (to < 0 || to == from) return;
    flow_.Move(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
    ShowTracks(to);
}

std::vector<std::string> DiscDlg::ChooseImages() {
    if (CurrentImagesChooser()) return CurrentImagesChooser()(this);
    wxFileDialog chooser(this, "Add images to the disc", "", "",
                         "CD+G images (*.cdg)|*.cdg|All files (*.*)|*.*",
                         wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_MULTIPLE);
    std::vector<std::string> chosen;
    if (chooser.ShowModal() != wxID_OK) return chosen;
    wxArrayString paths;
    chooser.GetPaths(paths);
    for (const wxString& path : paths) chosen.push_back(path.utf8_string());
    return chosen;
}

std::string DiscDlg::ChooseToc(const std::string& suggested) {
    if (CurrentTocChooser()) return CurrentTocChooser()(this, suggested);
    const std::filesystem::path path(suggested);
    wxFileDialog chooser(this, "Write the burn file", WxText(path.parent_path().string()),
                         WxText(path.filename().string()),
                         "cdrdao burn files (*.toc)|*.toc|All files (*.*)|*.*", wxFD_SAVE);
    if (chooser.ShowModal() != wxID_OK) return {};
    return chooser.GetPath().utf8_string();
}

bool DiscDlg::AskToReplace(const std::string& question) {
    return AskQuestion({this, question, "Orvane", wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION});
}

void DiscDlg::ShowBox(const std::string& text, BoxIcon icon) {
    ShowMessageBox(
        {this, text, "Orvane",
         static_cast<long>(wxOK | (icon == BoxIcon::Error ? wxICON_ERROR : wxICON_INFORMATION))});
}

}  // namespace orvane
