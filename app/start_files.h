// What the window does with the files named on its command line (or given
// by a file manager's "Open with"): what it does with files dropped on it.
#pragma once

#include "app/command_line.h"
#include "app/file_selection.h"
#include "app/import_flow.h"

namespace orvane {

// The picture, then the recording, each taken as a dropped file is: a BMP or
// WAVE the ordinary check takes goes to it, any other picture or song is
// imported with the import's own choices; then the output as if chosen with
// its browse button (".CDG" added to a name without an extension, and the
// question before replacing a file, as the chooser does).
void TakeStartFiles(ImportFlow& flow, FileSelection& selection, const StartFiles& files);

}  // namespace orvane
