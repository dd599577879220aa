// The picture import's dialog: the converted picture as a player shows it,
// redrawn at once as the shape, background and dithering change, and Save.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <memory>
#include <string>

#include "app/import_converter.h"

class wxButton;
class wxCheckBox;
class wxColourPickerCtrl;
class wxRadioBox;
class wxSizer;
class wxStaticText;

namespace orvane {

class PreviewWindow;

class ImportPictureDlg : public wxDialog {
  public:
    // Called with the picture as shown; true closes the dialog.
    using Saver = std::function<bool(const Picture&)>;

    ImportPictureDlg(wxWindow* parent, const std::string& source, PictureSource& picture,
                     const PictureOptions& options, Saver save);

    PictureOptions Options() const;
    const Picture& Shown() const { return *shown_; }

    // For tests: the controls as the user sees them.
    wxRadioBox* ShapeChoice() const { return shape_; }
    wxColourPickerCtrl* BackgroundPicker() const { return background_; }
    wxCheckBox* DitherBox() const { return dither_; }
    wxButton* SaveButton() const { return saveButton_; }
    wxWindow* Preview() const;
    wxStaticText* Problem() const { return problem_; }

  private:
    void CreateControls(const std::string& source, const PictureOptions& options);
    wxSizer* CreatePreview();
    wxSizer* CreateOptions(const PictureOptions& options);
    void Render();
    void OnSave(wxCommandEvent& event);

    PictureSource& source_;
    Saver save_;
    std::unique_ptr<Picture> shown_;
    PreviewWindow* preview_ = nullptr;
    wxRadioBox* shape_ = nullptr;
    wxColourPickerCtrl* background_ = nullptr;
    wxCheckBox* dither_ = nullptr;
    wxStaticText* problem_ = nullptr;
    wxButton* saveButton_ = nullptr;
};

}  // namespace orvane
