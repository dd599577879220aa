#include "player/layout_probe.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "player/cdg_decoder.h"

namespace orvane {
namespace {

constexpr std::size_t kPacketsPerRawSector = kRawSectorBytes / kCdgPacketBytes;      // 102
constexpr std::size_t kAudioPacketsPerSector = kSectorAudioBytes / kCdgPacketBytes;  // 98
constexpr std::uint64_t kEnoughPackets = 64;
constexpr std::size_t kChunkSectors = 4096;  // of 96 bytes

bool LooksLikeGraphics(const std::uint8_t* p) {
    if ((p[0] & 0x3F) != kCdgGraphicsCommand) return false;
    switch (p[1] & 0x3F) {
        case kCdgMemoryPreset:
        case kCdgBorderPreset:
        case kCdgTileBlock:
        case kCdgTileBlockXor:
        case kCdgScrollPreset:
        case kCdgScrollCopy:
        case kCdgDefineTransparent:
        case kCdgLoadColoursLow:
        case kCdgLoadColoursHigh:
            break;
        default:
            return false;
    }
    for (std::size_t k = 4; k < 20; ++k) {
        if (p[k] > 0x3F) return false;
    }
    return true;
}

}  // namespace

LayoutProbe ProbeLayout(const std::string& path) {
    LayoutProbe probe;
    SectorFile file;
    // Read as 96-byte pieces: every packet position of either layout.
    if (SectorFileError e = file.Open(path, SectorLayout::CdgStream)) {
        probe.error = std::move(e);
        return probe;
    }
    const std::uint64_t chunk = std::min<std::uint64_t>(file.sectorCount(), kChunkSectors);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(chunk) * kSectorSubcodeBytes);
    std::uint64_t inSubcode = 0, elsewhere = 0, packet = 0;
    for (std::uint64_t first = 0;
         first < file.sectorCount() && inSubcode + elsewhere < kEnoughPackets; first += chunk) {
        std::size_t read = 0;
        if (SectorFileError e =
                file.Read(first, static_cast<std::size_t>(chunk), buffer.data(), read)) {
            probe.error = std::move(e);
            return probe;
        }
        const std::size_t packets = read * kCdgPacketsPerSector;
        for (std::size_t k = 0; k < packets; ++k, ++packet) {
            if (!LooksLikeGraphics(&buffer[k * kCdgPacketBytes])) continue;
            if (packet % kPacketsPerRawSector >= kAudioPacketsPerSector) {
                ++inSubcode;
            } else {
                ++elsewhere;
            }
        }
    }
    probe.graphicsFound = inSubcode + elsewhere > 0;
    probe.layout = elsewhere > inSubcode ? SectorLayout::CdgStream : SectorLayout::RawImage;
    return probe;
}

}  // namespace orvane
