#include "disc/track_image.h"

#include <sys/stat.h>

#include "input/image_tags.h"
#include "input/sector_file.h"
#include "player/layout_probe.h"

namespace orvane {
namespace {

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
    check.image.tags = ReadImageTags(file);
    return check;
}

bool StillAsChecked(const TrackImage& image) {
    struct stat st {};
    return stat(image.path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uint64_t>(st.st_size) == image.fileBytes;
}

}  // namespace orvane
