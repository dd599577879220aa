// Tells a raw disc image from a .cdg stream by what the file holds, not by
// its name: Orvane's own images are usually named .CDG too.
#pragma once

#include <string>

#include "input/sector_file.h"

namespace orvane {

struct LayoutProbe {
    SectorFileError error;  // the file could not be opened or read
    bool graphicsFound = false;
    SectorLayout layout = SectorLayout::RawImage;
};

// Looks at every 24-byte packet position from the start until enough CD+G
// graphics packets were seen (or the end). In a raw image they sit only in
// the last four positions of each 102 (the 96 subcode bytes after 2,352 of
// audio); in a .cdg stream mostly elsewhere. A packet counts only when all of
// its data symbols are 6-bit, which audio almost never imitates, so a WAVE
// picked by mistake shows no graphics.
LayoutProbe ProbeLayout(const std::string& path);

}  // namespace orvane
