#include "player/layout_probe.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "player/cdg_decoder.h"

namespace orvane {
namespace {

constexpr std::uint64_t kPacketsPerRawSector = kRawSectorBytes / kCdgPacketBytes;      // 102
constexpr std::uint64_t kAudioPacketsPerSector = kSectorAudioBytes / kCdgPacketBytes;  // 98
constexpr std::size_t kChunkSectors = 4096;  // of 96 bytes
constexpr std::uint8_t kSymbol = 0x3F;
// Graphics are judged a window of positions at a time (40 raw sectors, half
// a second of an image): an image's packets come in bursts, noise does not.
constexpr std::uint64_t kWindowPackets = 40 * kPacketsPerRawSector;
// Enough graphics in one class of positions to stop looking.
constexpr std::uint64_t kEnoughHits = 64;

// What the decoder takes for a graphics packet it can act on.
bool IsGraphics(const std::uint8_t* p) {
    if ((p[0] & kSymbol) != kCdgGraphicsCommand) return false;
    switch (p[1] & kSymbol) {
        case kCdgMemoryPreset:
        case kCdgBorderPreset:
        case kCdgTileBlock:
        case kCdgTileBlockXor:
        case kCdgScrollPreset:
        case kCdgScrollCopy:
        case kCdgDefineTransparent:
        case kCdgLoadColoursLow:
        case kCdgLoadColoursHigh:
            return true;
        default:
            return false;
    }
}

bool IsClean(const std::uint8_t* p) {
    return std::all_of(p + 4, p + 20, [](std::uint8_t b) { return b <= kSymbol; });
}

struct Counts {
    std::uint64_t positions = 0;
    std::uint64_t hits = 0;   // graphics as the decoder sees them
    std::uint64_t clean = 0;  // of those, with 6-bit data symbols too
    void Add(const Counts& c) {
        positions += c.positions;
        hits += c.hits;
        clean += c.clean;
    }
};

// Audio passes the decoder's test at up to one position in 400 (measured on
// noise, tones and music), and passes it with clean data symbols at about
// one in 70,000. The thresholds below leave a chance of about one in a
// million per window that noise passes them.

// Where a raw image keeps its subcode, graphics stand out from the audio
// around them: many times as dense as in the other positions of the window.
bool StandsOut(const Counts& subcode, const Counts& other) {
    const auto ahead = [&](std::uint64_t here, std::uint64_t there) {
        return here * other.positions >= 8 * subcode.positions * (there + 1);
    };
    return (subcode.hits >= 8 && ahead(subcode.hits, other.hits)) ||
           (subcode.clean >= 3 && ahead(subcode.clean, other.clean));
}

// In a .cdg stream graphics are everywhere: at least one position in 32.
bool Dense(const Counts& c) {
    return (c.hits >= 4 && c.hits * 32 >= c.positions) || c.clean >= 4;
}

// The positions of a file read as packets, split into where a raw image
// keeps its subcode and everywhere else.
class PacketScan {
  public:
    explicit PacketScan(const SectorFile& file)
        : file_(file),
          packets_((file.byteCount() - file.ignoredBytes()) / kCdgPacketBytes),
          rawSectors_(file.byteCount() / kRawSectorBytes) {}

    std::uint64_t rawSectors() const { return rawSectors_; }
    bool InSubcode(std::uint64_t packet) const {
        return packet / kPacketsPerRawSector < rawSectors_ &&
               packet % kPacketsPerRawSector >= kAudioPacketsPerSector;
    }

    // Calls visit(index, packet) for every packet of the file from the
    // start while it returns true. The scanned count is kept.
    template <typename Visit>
    SectorFileError Each(Visit visit) {
        const std::uint64_t chunk = std::min<std::uint64_t>(file_.sectorCount(), kChunkSectors);
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(chunk) * kSectorSubcodeBytes);
        for (std::uint64_t first = 0, k = 0; first < file_.sectorCount(); first += chunk) {
            std::size_t read = 0;
            if (SectorFileError e =
                    file_.Read(first, static_cast<std::size_t>(chunk), buffer.data(), read))
                return e;
            for (std::size_t at = 0; at < read * kCdgPacketsPerSector && k < packets_; ++at, ++k) {
                scanned_ = k + 1;
                if (!visit(k, &buffer[at * kCdgPacketBytes])) return {};
            }
        }
        return {};
    }
    std::uint64_t scanned() const { return scanned_; }

  private:
    const SectorFile& file_;
    const std::uint64_t packets_;
    const std::uint64_t rawSectors_;
    std::uint64_t scanned_ = 0;
};

// How many of the first `limit` packets change the screen, decoded as a
// raw image (the subcode positions only) and as a .cdg (every one).
struct Shown {
    std::uint64_t raw = 0;
    std::uint64_t cdg = 0;
};

SectorFileError CountShown(const SectorFile& file, std::uint64_t limit, Shown& shown) {
    PacketScan scan(file);
    CdgDecoder raw, cdg;
    const auto apply = [](CdgDecoder& decoder, const std::uint8_t* p, std::uint64_t& count) {
        const CdgScreen before = decoder.screen();
        decoder.ApplyPacket(p);
        count += decoder.screen() == before ? 0 : 1;
    };
    return scan.Each([&](std::uint64_t k, const std::uint8_t* p) {
        if (k >= limit) return false;
        if (!IsGraphics(p)) return true;
        apply(cdg, p, shown.cdg);
        if (scan.InSubcode(k)) apply(raw, p, shown.raw);
        return true;
    });
}

}  // namespace

std::string LayoutProbe::message() const {
    if (error) return error.message;
    return graphicsFound ? std::string() : std::string("No CD+G graphics found");
}

LayoutProbe ProbeLayout(const std::string& path) {
    LayoutProbe probe;
    SectorFile file;
    // Read as 96-byte pieces: every packet position of either layout.
    if (SectorFileError e = file.Open(path, SectorLayout::CdgStream)) {
        probe.error = std::move(e);
        return probe;
    }
    PacketScan scan(file);
    Counts subcode, elsewhere, windowSubcode, windowElsewhere;
    bool raw = false, cdg = false;
    const auto judge = [&] {
        raw = raw || StandsOut(windowSubcode, windowElsewhere);
        cdg = cdg || Dense(windowElsewhere);
        subcode.Add(windowSubcode);
        elsewhere.Add(windowElsewhere);
        windowSubcode = windowElsewhere = {};
    };
    probe.error = scan.Each([&](std::uint64_t k, const std::uint8_t* p) {
        Counts& c = scan.InSubcode(k) ? windowSubcode : windowElsewhere;
        ++c.positions;
        if (IsGraphics(p)) {
            ++c.hits;
            c.clean += IsClean(p) ? 1 : 0;
        }
        if ((k + 1) % kWindowPackets != 0) return true;
        judge();
        return !(raw && subcode.hits >= kEnoughHits) && !(cdg && elsewhere.hits >= kEnoughHits);
    });
    if (probe.error) return probe;
    judge();
    raw = raw && scan.rawSectors() > 0;
    probe.graphicsFound = raw || cdg;
    probe.layout = raw ? SectorLayout::RawImage : SectorLayout::CdgStream;
    if (raw && cdg) {
        // Both look like graphics: the reading under which more of them
        // take effect is the one the file was made for.
        Shown shown;
        probe.error = CountShown(file, scan.scanned(), shown);
        probe.layout = shown.raw > shown.cdg ? SectorLayout::RawImage : SectorLayout::CdgStream;
    }
    return probe;
}

}  // namespace orvane
