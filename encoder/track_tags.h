// A song's title and performer, carried inside the image Orvane makes with
// lyrics, so that a disc made of such images can name its tracks without
// asking. They ride in subcode packets whose command is 0, which every CD+G
// player skips (graphics are command 9), and use only the six low bits of
// each symbol, the only bits a burned disc keeps.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "encoder/subcode.h"

namespace orvane {

struct TrackTags {
    std::string title;
    std::string performer;
    bool operator==(const TrackTags&) const = default;
};

// Each text is kept to this many bytes, cut before a UTF-8 sequence that
// would not fit whole (CD-TEXT holds at most 160 characters a field).
inline constexpr std::size_t kTrackTagBytes = 160;

// The packets that carry `tags`: a handful (at most 28), to be written
// one after the other (across sector boundaries as the packets follow each
// other), all within an image's first 16 sectors, where the disc looks for
// them. Empty tags still give a packet, so a reader can tell "tagged as
// nothing" from "not tagged".
std::vector<SubcodePacket> EncodeTrackTags(const TrackTags& tags);

// The tags from the first run of packets that EncodeTrackTags made among
// `packets` (any position; the P and Q bits of every symbol are ignored, as
// players ignore them). Packets of an image without tags, empty or not, give
// nothing: a marker, the packets' order and a checksum must all agree.
std::optional<TrackTags> DecodeTrackTags(const SubcodePacket* packets, std::size_t count);

}  // namespace orvane
