#include "disc/track_image.h"

#include <sys/stat.h>

#include <cstring>
#include <vector>

#include "input/sector_file.h"
#include "player/layout_probe.h"

namespace orvane {
namespace {

// Tags follow the colour table at the start: they must lie within these
// first sectors (64 packets; the longest tags take 28).
constexpr std::size_t kTagSectors = 16;

std::optional<TrackTags> TagsAtStart(const SectorFile& file) {
    std::vector<std::uint8_t> head(kTagSectors * kRawSectorBytes);
    std::size_t read = 0;
    if (file.Read(0, kTagSectors, head.data(), read)) return std::nullopt;
    std::vector<SubcodePacket> packets(read * 4);
    for (std::size_t s = 0; s < read; ++s) {
        std::memcpy(static_cast<void*>(&packets[4 * s]),
                    &head[s * kRawSectorBytes + kAudioSectorBytes], kSubcodeBlockBytes);
    }
    return DecodeTrackTags(packets.data(), packets.size());
}

TrackCheck Refused(const std::string& path, const std::string& why) {
    TrackCheck check;
    check.message = "Cannot use " + path + " as a track: " + why;
    check.image.path = path;
    return check;
}

}  // namespace

TrackCheck CheckTrackImage(const std::string& path) {
    const LayoutProbe probe = ProbeLayout(path);
    if (probe.error) return Refused(path, probe.error.message);
    if (!probe.graphicsFound) return Refused(path, "No CD+G graphics found");
    if (probe.layout == SectorLayout::CdgStream) {
        return Refused(path,
                       "it is a .cdg stream, graphics without sound; give the disc image "
                       "Orvane made");
    }
    SectorFile file;
    if (const SectorFileError e = file.Open(path, SectorLayout::RawImage)) {
        return Refused(path, e.message);
    }
    TrackCheck check;
    check.ok = true;
    check.image.path = path;
    check.image.sectors = file.sectorCount();
    check.image.ignoredBytes = file.ignoredBytes();
    check.image.fileBytes = file.sectorCount() * kRawSectorBytes + file.ignoredBytes();
    check.image.tags = TagsAtStart(file);
    return check;
}

bool StillAsChecked(const TrackImage& image) {
    struct stat st {};
    return stat(image.path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uint64_t>(st.st_size) == image.fileBytes;
}

}  // namespace orvane
