// One image offered as a track of a disc: checked as `render` checks what it
// plays, measured in whole sectors, and asked for the names it carries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "encoder/track_tags.h"

namespace orvane {

struct TrackImage {
    std::string path;
    std::uint64_t sectors = 0;       // whole sectors: the track's length
    std::uint64_t ignoredBytes = 0;  // a tail after them, left out of the track
    std::uint64_t fileBytes = 0;     // the size it had when checked
    std::optional<TrackTags> tags;   // embedded by Orvane when made with lyrics
};

struct TrackCheck {
    bool ok = false;
    std::string message;  // why not, a whole sentence naming the file
    TrackImage image;
};

// Opens `path` once for the layout probe and once for its length and first
// sectors. A .cdg stream (graphics without sound), a file with no CD+G
// graphics, and one that cannot be read are refused.
TrackCheck CheckTrackImage(const std::string& path);

// True when the file at image.path still has the size it had when checked,
// so what was learned about it need not be read again.
bool StillAsChecked(const TrackImage& image);

}  // namespace orvane
