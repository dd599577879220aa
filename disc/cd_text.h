// The names a disc carries as CD-TEXT, in the form cdrdao writes them: one
// block in ISO 8859-1 (Latin-1), a title and a performer for the album and
// for each track.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "disc/track_names.h"

namespace orvane {

// CD-TEXT fields are kept to this many characters.
inline constexpr std::size_t kCdTextFieldChars = 160;
// cdrdao numbers a block's packs with one byte; 3 of the 256 describe the
// block, the rest carry text, 12 bytes each (every field ends with a 0).
inline constexpr std::size_t kCdTextPacks = 253;
// Longest field as a toc string: chdman reads the toc in lines of 510 bytes
// and would take the rest of a longer line as a line of its own.
inline constexpr std::size_t kCdTextQuotedBytes = 400;

// `utf8` in Latin-1: letters outside it as '?' (typographic quotes, dashes
// and the ellipsis as their plain forms), control characters as spaces,
// invalid UTF-8 bytes as '?'. `replaced` tells
// whether any character became a '?'.
std::string CdTextLatin1(const std::string& utf8, bool* replaced = nullptr);

struct CdTextFit {
    std::vector<TrackNames> fields;  // [0] the album, then the tracks; Latin-1
    std::size_t replaced = 0;        // fields with a character shown as '?'
    std::size_t shortened = 0;       // fields cut to fit
};

// The album's and the tracks' names as CD-TEXT: in Latin-1, each within
// kCdTextFieldChars, and all together within kCdTextPacks, by cutting the
// longest names to one length until they fit.
CdTextFit FitCdText(const TrackNames& album, const std::vector<TrackNames>& tracks);

// A Latin-1 field as a toc string: pure ASCII, other bytes, backslashes and
// control bytes as octal escapes, a quote escaped; cut at a character so
// that the string stays within kCdTextQuotedBytes.
std::string CdTextQuoted(const std::string& latin1);

// How many packs the fields take: what FitCdText keeps within kCdTextPacks.
std::size_t CdTextPackCount(const std::vector<TrackNames>& fields);

}  // namespace orvane
