// The table of contents of a whole disc: cdrdao's toc with one
// TRACK AUDIO RW per image, the gaps between them, and CD-TEXT. The same
// file is read by chdman (MAME's disc-image tool).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "disc/track_names.h"

namespace orvane {

struct DiscTrack {
    std::string image;
    std::uint64_t sectors = 0;
    TrackNames names;  // as CD-TEXT holds them (Latin-1)
};

struct DiscLayout {
    TrackNames album;  // as CD-TEXT holds them (Latin-1)
    std::vector<DiscTrack> tracks;
};

// Who reads the toc. cdrdao reads a DATAFILE's audio as big-endian and is
// told to swap on its command line; chdman reads it the same way but has no
// such option, only a SWAP word after the file name, which cdrdao refuses.
enum class TocReader {
    Cdrdao,  // for burning (and chdman's track list)
    Chdman,  // for chdman alone: its DATAFILEs say SWAP
};

// The toc's text. The gap before each track after the first is 2 s of
// silence with the track's own index 1 after it (ZERO, DATAFILE with its
// "#0" offset, START): cdrdao counts it, and chdman takes it as the track's
// pregap and the whole image as its audio.
std::string DiscTocText(const DiscLayout& disc, const std::string& tocPath, TocReader reader);

// Why chdman could not read the toc's DATAFILE lines, empty when it can: it
// takes no escapes, so a path with a quote or a backslash cannot be given
// to it, and it reads lines of at most 510 bytes.
std::string ChdmanCannotRead(const DiscLayout& disc, const std::string& tocPath);

}  // namespace orvane
