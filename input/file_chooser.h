// The toolkit's file chooser behind the three browse buttons.
#pragma once

#include <string>

#include "app/dialog_effects.h"

class wxWindow;

namespace orvane {

// Shows the open or save chooser. `filter` uses '|' separators, the first
// pair preselected; a typed name without an extension gets "." + extension.
FileChoice ShowFileChooser(wxWindow* parent, bool open, const std::string& title,
                           const std::string& filter, const std::string& extension);

}  // namespace orvane
