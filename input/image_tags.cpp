#include "input/image_tags.h"

#include <cstring>
#include <vector>

namespace orvane {
namespace {

// Tags follow the colour table at the start: they must lie within these
// first sectors (64 packets; the longest tags take 28).
constexpr std::size_t kTagSectors = 16;

}  // namespace

std::optional<TrackTags> ReadImageTags(const SectorFile& image) {
    const std::size_t sectorBytes = image.sectorBytes();
    std::vector<std::uint8_t> head(kTagSectors * sectorBytes);
    std::size_t read = 0;
    if (image.Read(0, kTagSectors, head.data(), read)) return std::nullopt;
    std::vector<SubcodePacket> packets(read * 4);
    for (std::size_t s = 0; s < read; ++s) {
        std::memcpy(static_cast<void*>(&packets[4 * s]),
                    &head[s * sectorBytes + sectorBytes - kSubcodeBlockBytes], kSubcodeBlockBytes);
    }
    return DecodeTrackTags(packets.data(), packets.size());
}

}  // namespace orvane
