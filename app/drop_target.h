// Files dropped on the main window: each in turn to the ordinary check or to
// import, once the drop itself has finished; lyrics files to the lyrics.
#pragma once

#include <wx/dnd.h>

#include <functional>
#include <string>

namespace orvane {

class FileSelection;

class FileDropTarget : public wxFileDropTarget {
  public:
    using LyricsTaker = std::function<void(const std::string& path)>;
    FileDropTarget(wxWindow* owner, FileSelection& selection, LyricsTaker takeLyrics = {})
        : owner_(owner), selection_(selection), takeLyrics_(std::move(takeLyrics)) {}
    bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& names) override;

  private:
    wxWindow* owner_;
    FileSelection& selection_;
    LyricsTaker takeLyrics_;
};

}  // namespace orvane
