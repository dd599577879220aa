// What a track is called on the disc: from a list the user wrote, from the
// names Orvane embedded in the image, or from the image's file name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "encoder/track_tags.h"

namespace orvane {

struct TrackNames {
    std::string performer;
    std::string title;
    bool operator==(const TrackNames&) const = default;
};

// "Performer - Title" split at its first " - ", both parts trimmed; without
// the separator the whole (trimmed) text is the title.
TrackNames SplitPerformerTitle(const std::string& text);

// The names in a file name: "Performer - Title.img" gives both, any other
// name its base name (without the extension) as the title.
TrackNames NamesFromFileName(const std::string& path);

// The names of a track, by the first source that has any: the titles list
// (nullptr or an empty line: none), the image's tags (when they hold a
// title), the file name.
TrackNames ChooseTrackNames(const TrackNames* listed, const std::optional<TrackTags>& tags,
                            const std::string& path);

struct TitlesList {
    std::vector<std::optional<TrackNames>> names;  // one per line; empty line: none
    std::string error;                             // a whole sentence; empty when read
};

// Reads a --titles file: one "Performer - Title" per line (UTF-8, a byte
// order mark, "\r\n" line ends and trailing empty lines allowed). It must
// hold exactly one line per track, so that a line too many or too few
// cannot shift every name onto the wrong song.
TitlesList ReadTitlesList(const std::string& path, std::size_t tracks);

// The list's lines from text already read.
TitlesList ParseTitlesList(const std::string& text, std::size_t tracks);

// The performer the album is credited to when none is given: the one all
// tracks share, else none.
std::string CommonPerformer(const std::vector<TrackNames>& tracks);

}  // namespace orvane
