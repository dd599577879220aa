#include "player/cdg_player.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "player/layout_probe.h"

namespace orvane {
namespace {

constexpr std::size_t kChunkSectors = 256;

PlayerError FromFile(const SectorFileError& e) {
    switch (e.status) {
        case SectorFileStatus::Ok:
            return {};
        case SectorFileStatus::OpenFailed:
            return {PlayerStatus::OpenFailed, e.message};
        case SectorFileStatus::Empty:
            return {PlayerStatus::Empty, e.message};
        case SectorFileStatus::NoSector:
            return {PlayerStatus::NoSector, e.message};
        case SectorFileStatus::ReadFailed:
            break;
    }
    return {PlayerStatus::ReadFailed, e.message};
}

// Small files and short decodes get small buffers.
std::size_t ChunkFor(std::uint64_t sectors) {
    return static_cast<std::size_t>(std::min<std::uint64_t>(sectors, kChunkSectors));
}

std::size_t SubcodeAt(SectorLayout layout) {
    return layout == SectorLayout::RawImage ? kSectorAudioBytes : 0;
}

}  // namespace

std::uint64_t SectorsAtTime(double seconds) {
    if (!(seconds > 0)) return 0;
    // A hair above the product, so 0.04 s (3 sectors) is not taken as 2.999.
    const double sectors = std::floor(seconds * 75.0 + 1e-7);
    if (sectors >= 1e18) return static_cast<std::uint64_t>(1e18);
    return static_cast<std::uint64_t>(sectors);
}

PlayerError CdgPlayer::Open(const std::string& path, ProgressSink* progress) {
    *this = CdgPlayer();
    const LayoutProbe probe = ProbeLayout(path);
    if (probe.error) return FromFile(probe.error);
    if (!probe.graphicsFound) return {PlayerStatus::NoGraphics, probe.message()};
    if (SectorFileError e = file_.Open(path, probe.layout)) {
        const PlayerError failure = FromFile(e);
        *this = CdgPlayer();
        return failure;
    }
    if (PlayerError e = Scan(progress)) {
        *this = CdgPlayer();
        return e;
    }
    return {};
}

PlayerError CdgPlayer::Scan(ProgressSink* progress) {
    const std::size_t at = SubcodeAt(layout());
    const std::size_t bytes = file_.sectorBytes();
    std::vector<std::uint8_t> buffer(ChunkFor(sectorCount()) * bytes);
    CdgDecoder decoder;
    std::shared_ptr<const CdgScreen> last = std::make_shared<const CdgScreen>();
    bool changed = false;
    for (std::uint64_t first = 0; first < sectorCount(); first += kChunkSectors) {
        if (progress) {
            if (progress->IsCancelled()) return {PlayerStatus::Stopped, "Stopped"};
            progress->SetProgress(first, sectorCount());
        }
        std::size_t read = 0;
        if (SectorFileError e = file_.Read(first, ChunkFor(sectorCount()), buffer.data(), read)) {
            return FromFile(e);
        }
        for (std::size_t k = 0; k < read; ++k) {
            const std::uint64_t sector = first + k;
            if (sector % kSnapshotSectors == 0) {
                if (changed) last = std::make_shared<const CdgScreen>(decoder.screen());
                snapshots_.push_back(last);
                changed = false;
            }
            const std::uint8_t* subcode = &buffer[k * bytes + at];
            if (decoder.ApplySector(subcode) == 0) continue;
            changed = true;
            lastGraphics_ = sector + 1;
            for (std::size_t p = 0; p < kCdgPacketsPerSector; ++p) {
                if (CdgDecoder::DrawsTile(subcode + p * kCdgPacketBytes))
                    pictureComplete_ = sector + 1;
            }
        }
    }
    if (progress) progress->SetProgress(sectorCount(), sectorCount());
    final_ = decoder.screen();
    return {};
}

std::uint64_t CdgPlayer::SnapshotBefore(std::uint64_t sectors, CdgScreen& out) const {
    if (snapshots_.empty()) {
        out = CdgScreen{};
        return 0;
    }
    const std::uint64_t k =
        std::min<std::uint64_t>(sectors / kSnapshotSectors, snapshots_.size() - 1);
    out = *snapshots_[k];
    return k * kSnapshotSectors;
}

PlayerError CdgPlayer::ScreenAfter(std::uint64_t sectors, CdgScreen& out) const {
    if (sectors >= lastGraphics_) {
        out = final_;
        return {};
    }
    CdgDecoder decoder;
    CdgScreen start;
    const std::uint64_t from = SnapshotBefore(sectors, start);
    decoder.SetScreen(start);
    PlayerError e = Decode(from, sectors, decoder);
    out = decoder.screen();
    return e;
}

PlayerError CdgPlayer::Decode(std::uint64_t from, std::uint64_t to, CdgDecoder& decoder) const {
    to = std::min(to, lastGraphics_);
    if (from >= to) return {};
    const std::size_t at = SubcodeAt(layout());
    const std::size_t bytes = file_.sectorBytes();
    std::vector<std::uint8_t> buffer(ChunkFor(to - from) * bytes);
    for (std::uint64_t first = from; first < to; first += kChunkSectors) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSectors, to - first));
        std::size_t read = 0;
        if (SectorFileError e = file_.Read(first, want, buffer.data(), read)) return FromFile(e);
        for (std::size_t k = 0; k < read; ++k) decoder.ApplySector(&buffer[k * bytes + at]);
        if (read < want) return {PlayerStatus::ReadFailed, "The file got shorter"};
    }
    return {};
}

PlayerError CdgPlayer::ReadAudio(std::uint64_t first, std::size_t count, std::uint8_t* out,
                                 std::size_t& read) const {
    read = 0;
    if (!hasAudio()) return {};
    std::vector<std::uint8_t> buffer(std::min(count, kChunkSectors) * kRawSectorBytes);
    while (count > 0) {
        const std::size_t want = std::min(count, kChunkSectors);
        std::size_t got = 0;
        if (SectorFileError e = file_.Read(first, want, buffer.data(), got)) return FromFile(e);
        for (std::size_t k = 0; k < got; ++k, ++read) {
            std::memcpy(out + read * kSectorAudioBytes, &buffer[k * kRawSectorBytes],
                        kSectorAudioBytes);
        }
        if (got < want) break;
        first += want;
        count -= want;
    }
    return {};
}

PlayerError ScreenCursor::MoveTo(std::uint64_t sectors) {
    sectors = std::min(sectors, player_->sectorCount());
    if (sectors >= player_->lastGraphicsSectors()) {
        decoder_.SetScreen(player_->FinalScreen());
        position_ = sectors;
        return {};
    }
    const std::uint64_t snapshot =
        sectors / CdgPlayer::kSnapshotSectors * CdgPlayer::kSnapshotSectors;
    if (sectors < position_ || position_ < snapshot) {
        CdgScreen start;
        position_ = player_->SnapshotBefore(sectors, start);
        decoder_.SetScreen(start);
    }
    PlayerError e = player_->Decode(position_, sectors, decoder_);
    position_ = sectors;
    return e;
}

}  // namespace orvane
