#include "app/drop_target.h"

#include <wx/window.h>

#include <string>
#include <vector>

#include "app/import_window.h"
#include "app/lyrics_choice.h"

namespace orvane {

// The drag source waits until this returns, so dialogs and boxes come after.
bool FileDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) {
    std::vector<std::string> paths, lyrics;
    for (const wxString& name : names) {
        const wxCharBuffer bytes = name.fn_str();
        if (!bytes.data() || !*bytes.data()) continue;
        (takeLyrics_ && IsLyricsFileName(bytes.data()) ? lyrics : paths).emplace_back(bytes.data());
    }
    if (paths.empty() && lyrics.empty()) return false;
    owner_->CallAfter([owner = owner_, &selection = selection_, take = takeLyrics_, paths, lyrics] {
        if (!paths.empty())
            RunImport(owner, selection, [&paths](ImportFlow& flow) { flow.TakeDropped(paths); });
        for (const std::string& path : lyrics) take(path);
    });
    return true;
}

}  // namespace orvane
