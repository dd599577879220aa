// The import's file choosers: an open chooser, and a save chooser that starts
// beside the source. Tests put a recorder in their place.
#pragma once

#include <functional>

#include "app/import_flow.h"

class wxWindow;

namespace orvane {

using ImportChooserShower = std::function<FileChoice(wxWindow* owner, const ChooserRequest&)>;

FileChoice ShowImportChooser(wxWindow* owner, const ChooserRequest& request);
// Replaces the chooser (an empty function restores the real one).
void SetImportChooserShower(ImportChooserShower shower);

}  // namespace orvane
