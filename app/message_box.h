// Every message box and file chooser of the main window goes through here,
// so tests can put recorders in their place instead of blocking on a modal box.
#pragma once

#include <wx/string.h>

#include <functional>
#include <string>

#include "app/dialog_effects.h"

class wxWindow;

namespace orvane {

// Our texts are UTF-8; a path that is not falls back to Latin-1 rather than
// showing as nothing.
wxString WxText(const std::string& text);

struct BoxRequest {
    wxWindow* owner;
    std::string text;
    std::string caption;
    long style;  // wxOK | wxICON_...
};

using BoxShower = std::function<void(const BoxRequest&)>;
using ChooserShower =
    std::function<FileChoice(wxWindow* owner, bool open, const std::string& title,
                             const std::string& filter, const std::string& extension)>;

// Shows a modal box and returns when it has been dismissed.
void ShowMessageBox(const BoxRequest& request);
// Replaces the box (an empty function restores the real one).
void SetBoxShower(BoxShower shower);

// The save chooser's question before it replaces `path`. While a box shower
// is set (tests), the shower sees the question and the answer is "replace".
bool AskToReplace(wxWindow* owner, const std::string& title, const std::string& path);

// A replacement chooser is not told `start`, where the real one starts.
FileChoice ShowChooser(wxWindow* owner, bool open, const std::string& title,
                       const std::string& filter, const std::string& extension,
                       const std::string& start = {});
void SetChooserShower(ChooserShower shower);

}  // namespace orvane
