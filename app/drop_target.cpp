#include "app/drop_target.h"

#include <wx/window.h>

#include <string>
#include <vector>

#include "app/import_window.h"

namespace orvane {

// The drag source waits until this returns, so dialogs and boxes come after.
bool FileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) {
    std::vector<std::string> paths;
    for (const wxString& name : names) {
        const wxCharBuffer bytes = name.fn_str();
        if (bytes.data() && *bytes.data()) paths.emplace_back(bytes.data());
    }
    if (paths.empty()) return false;
    owner_->CallAfter([owner = owner_, &selection = selection_, paths] {
        RunImport(owner, selection, [&paths](ImportFlow& flow) { flow.TakeDropped(paths); });
    });
    return true;
}

}  // namespace orvane
