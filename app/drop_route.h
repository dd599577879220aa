// Where a file dropped on the window goes, from its contents.
#pragma once

#include <functional>
#include <string>

#include "app/import_converter.h"

namespace orvane {

enum class DropRoute {
    Bitmap,           // the ordinary picture check, as if chosen with its browse button
    Wave,             // the ordinary recording check
    ImportPicture,    // converted through the picture dialog
    ImportRecording,  // converted with progress
    Refused,          // neither: `reason` says why
};

using MediaProbe = std::function<MediaKind(const std::string& path, std::string& reason)>;

// A BMP or WAVE goes to the ordinary check, which shows its own box when it
// refuses the file, except where conversion is the cure: a BMP of another
// size or depth, a WAVE of another format or with its audio further in.
// Anything else is asked of `probe`.
DropRoute RouteForDrop(const std::string& path, const MediaProbe& probe, std::string& reason);

}  // namespace orvane
