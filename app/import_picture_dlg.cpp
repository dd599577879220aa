#include "app/import_picture_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/radiobox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <filesystem>

#include "app/message_box.h"
#include "app/preview.h"

namespace orvane {

namespace {

// In the order of FitMode.
const wxString kShapes[] = {"&Fit: the whole picture, bars around it",
                            "F&ill: cropped to the screen", "S&tretch to the screen"};

wxColour ToColour(const Rgb& rgb) {
    return wxColour(rgb.red, rgb.green, rgb.blue);
}

Rgb FromColour(const wxColour& colour) {
    return {colour.Red(), colour.Green(), colour.Blue()};
}

}  // namespace

ImportPictureDlg::ImportPictureDlg(wxWindow* parent, const std::string& source,
                                   PictureSource& picture, const PictureOptions& options,
                                   Saver save)
    : wxDialog(parent, wxID_ANY, "Import picture"),
      source_(picture),
      save_(std::move(save)),
      shown_(std::make_unique<Picture>()) {
    InitPicture(*shown_);
    CreateControls(source, options);
    Render();
    Centre(wxBOTH);
}

void ImportPictureDlg::CreateControls(const std::string& source, const PictureOptions& options) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    std::string title = std::filesystem::path(source).filename().string();
    if (const std::string size = source_.Size(); !size.empty()) title += ", " + size;
    auto* name =
        new wxStaticText(this, wxID_ANY, WxText(title), wxDefaultPosition, wxSize(FromDIP(300), -1),
                         wxST_ELLIPSIZE_MIDDLE | wxST_NO_AUTORESIZE);
    name->SetToolTip(WxText(source));
    top->Add(name, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, 10));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(CreatePreview(), wxSizerFlags().Top());
    row->Add(CreateOptions(options), wxSizerFlags(1).Expand().Border(wxLEFT, 12));
    top->Add(row, wxSizerFlags().Expand().Border(wxALL, 10));

    problem_ = new wxStaticText(this, wxID_ANY, wxString());
    problem_->SetForegroundColour(*wxRED);
    top->Add(problem_, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 10));

    auto* buttons = new wxStdDialogButtonSizer;
    saveButton_ = new wxButton(this, wxID_SAVE, "&Save...");
    saveButton_->SetDefault();
    buttons->AddButton(saveButton_);
    buttons->AddButton(new wxButton(this, wxID_CANCEL));
    buttons->Realize();
    top->Add(buttons, wxSizerFlags().Right().Border(wxALL, 10));
    SetSizerAndFit(top);
    Bind(wxEVT_BUTTON, &ImportPictureDlg::OnSave, this, wxID_SAVE);
    saveButton_->SetFocus();
}

// Drawn 1:1 in a frame, as the main window's preview is.
wxSizer* ImportPictureDlg::CreatePreview() {
    auto* frame = new wxStaticBoxSizer(wxVERTICAL, this, "As a player shows it");
    preview_ = new PreviewWindow(frame->GetStaticBox(), wxDefaultPosition, *shown_);
    frame->Add(preview_, wxSizerFlags().Border(wxALL, 4));
    return frame;
}

wxSizer* ImportPictureDlg::CreateOptions(const PictureOptions& options) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    shape_ = new wxRadioBox(this, wxID_ANY, "Shape", wxDefaultPosition, wxDefaultSize,
                            WXSIZEOF(kShapes), kShapes, 1, wxRA_SPECIFY_COLS);
    shape_->SetSelection(static_cast<int>(options.fit));
    column->Add(shape_, wxSizerFlags().Expand());

    auto* colourRow = new wxBoxSizer(wxHORIZONTAL);
    colourRow->Add(new wxStaticText(this, wxID_ANY, "&Background:"),
                   wxSizerFlags().CentreVertical());
    background_ = new wxColourPickerCtrl(this, wxID_ANY, ToColour(options.background));
    background_->SetToolTip("The colour of the bars and of transparent parts");
    colourRow->Add(background_, wxSizerFlags().CentreVertical().Border(wxLEFT, 8));
    column->Add(colourRow, wxSizerFlags().Border(wxTOP, 10));

    dither_ = new wxCheckBox(this, wxID_ANY, "&Dithering (smoother shades)");
    dither_->SetValue(options.dither);
    column->Add(dither_, wxSizerFlags().Border(wxTOP, 10));

    shape_->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { Render(); });
    background_->Bind(wxEVT_COLOURPICKER_CHANGED, [this](wxColourPickerEvent&) { Render(); });
    dither_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Render(); });
    return column;
}

wxWindow* ImportPictureDlg::Preview() const {
    return preview_;
}

PictureOptions ImportPictureDlg::Options() const {
    PictureOptions options;
    options.fit = static_cast<FitMode>(shape_->GetSelection());
    options.background = FromColour(background_->GetColour());
    options.dither = dither_->GetValue();
    return options;
}

// A failed render leaves nothing to save; the preview goes black rather than
// keep a picture the options no longer describe.
void ImportPictureDlg::Render() {
    wxBusyCursor busy;
    const ImportOutcome outcome = source_.Render(Options(), *shown_);
    if (!outcome.ok()) {
        *shown_ = Picture{};
        InitPicture(*shown_);
    }
    problem_->SetLabelText(outcome.ok() ? wxString() : WxText(outcome.reason));
    saveButton_->Enable(outcome.ok());
    preview_->Refresh(false);
    preview_->Update();
    Layout();
}

void ImportPictureDlg::OnSave(wxCommandEvent&) {
    if (save_(*shown_)) EndModal(wxID_OK);
}

}  // namespace orvane
