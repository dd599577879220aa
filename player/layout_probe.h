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

    // Why a reader cannot use the file: the error's text, or "No CD+G
    // graphics found"; empty when it can.
    std::string message() const;
};

// Looks at every 24-byte packet position from the start, as a player's
// decoder reads a packet: command and instruction by their low six bits
// (the top two, P and Q, are set on many ripped discs and mean nothing to
// the graphics). In a raw image the graphics sit only in the last four
// positions of each 102 (the 96 subcode bytes after 2,352 of audio); in a
// .cdg stream anywhere. Audio imitates a graphics packet now and then (about
// one position in 400), so a class of positions counts only when its
// graphics stand well above that: a WAVE or an MP3 picked by mistake shows
// none. When both classes do, the layout under which the decoder shows more
// of the file wins.
LayoutProbe ProbeLayout(const std::string& path);

}  // namespace orvane
