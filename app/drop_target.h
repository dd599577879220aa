// Files dropped on the main window: each in turn to the ordinary check or to
// import, once the drop itself has finished.
#pragma once

#include <wx/dnd.h>

namespace orvane {

class FileSelection;

class FileDropTarget : public wxFileDropTarget {
  public:
    FileDropTarget(wxWindow* owner, FileSelection& selection)
        : owner_(owner), selection_(selection) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& names) override;

  private:
    wxWindow* owner_;
    FileSelection& selection_;
};

}  // namespace orvane
