// The names an image made with lyrics carries: the track tags right after
// its colour table, read from the image's first sectors.
#pragma once

#include <optional>

#include "encoder/track_tags.h"
#include "input/sector_file.h"

namespace orvane {

// The tags among the first sectors' packets (a raw image or a .cdg stream);
// nothing when there are none or the sectors cannot be read.
std::optional<TrackTags> ReadImageTags(const SectorFile& image);

}  // namespace orvane
