// The player model: a raw disc image (2,448-byte sectors) or a .cdg stream
// (96-byte sectors), told apart by content, opened once; then the screen at
// any sector and the audio of any sectors, both from anywhere, quickly.
//
// Open reads the file once, decoding it, and keeps a snapshot of the screen
// every kSnapshotSectors sectors; the screen after any sector is then a
// snapshot plus at most that many sectors decoded. A ScreenCursor moving
// forward (playing) decodes only the sectors it passes.
//
// After Open, the const members may be called from several threads at once
// (the screen on the UI thread, the audio on the sound thread).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "encoder/progress_sink.h"
#include "input/sector_file.h"
#include "player/cdg_decoder.h"

namespace orvane {

enum class PlayerStatus {
    Ok,
    OpenFailed,  // missing, a folder, no permission: the system's text
    Empty,       // "The file is empty"
    NoSector,    // shorter than one sector
    ReadFailed,  // the system's text, or "The file got shorter"
    NoGraphics,  // "No CD+G graphics found"
    Stopped,     // the progress sink asked to stop
};

struct PlayerError {
    PlayerStatus status = PlayerStatus::Ok;
    std::string message;
    explicit operator bool() const { return status != PlayerStatus::Ok; }
};

// floor(seconds x 75), negative times as 0: "the screen at time t" is the
// screen after this many sectors.
std::uint64_t SectorsAtTime(double seconds);

class CdgPlayer {
  public:
    static constexpr std::uint64_t kSnapshotSectors = 750;

    // Reads the whole file once. On failure the player is closed (no
    // sectors); NoGraphics leaves it closed too: a file with no CD+G packet
    // (a WAVE picked by mistake) is not played as a black screen.
    PlayerError Open(const std::string& path, ProgressSink* progress = nullptr);

    bool isOpen() const { return sectorCount() > 0; }
    SectorLayout layout() const { return file_.layout(); }
    // A raw image carries its own 44.1 kHz 16-bit stereo audio; a .cdg none.
    bool hasAudio() const { return isOpen() && layout() == SectorLayout::RawImage; }
    std::uint64_t sectorCount() const { return file_.sectorCount(); }
    // Bytes after the last whole sector, which are not played.
    std::uint64_t ignoredBytes() const { return file_.ignoredBytes(); }
    double durationSeconds() const { return static_cast<double>(sectorCount()) / 75.0; }
    // 1 + the last sector with a packet that draws a tile (0: none): the
    // picture is complete at pictureCompleteSectors() / 75 seconds.
    std::uint64_t pictureCompleteSectors() const { return pictureComplete_; }
    // 1 + the last sector with any graphics packet.
    std::uint64_t lastGraphicsSectors() const { return lastGraphics_; }

    // The screen after the packets of the first `sectors` sectors (cut at
    // sectorCount()).
    PlayerError ScreenAfter(std::uint64_t sectors, CdgScreen& out) const;
    // The screen after the last packet.
    const CdgScreen& FinalScreen() const { return final_; }

    // The 2,352 audio bytes of each of sectors [first, first + count) into
    // `out` (count * 2,352 bytes); `read` receives the sectors given, cut at
    // the end. A .cdg has no audio: read = 0.
    PlayerError ReadAudio(std::uint64_t first, std::size_t count, std::uint8_t* out,
                          std::size_t& read) const;

    // Decodes sectors [from, to) into `decoder`; for ScreenCursor.
    PlayerError Decode(std::uint64_t from, std::uint64_t to, CdgDecoder& decoder) const;
    // The snapshot at or before `sectors`, and its sector.
    std::uint64_t SnapshotBefore(std::uint64_t sectors, CdgScreen& out) const;

  private:
    PlayerError Scan(ProgressSink* progress);

    SectorFile file_;
    // Screen after k * kSnapshotSectors sectors; unchanged ones share.
    std::vector<std::shared_ptr<const CdgScreen>> snapshots_;
    CdgScreen final_;
    std::uint64_t pictureComplete_ = 0;
    std::uint64_t lastGraphics_ = 0;
};

// The screen at a moving position, for playing: moving forward decodes only
// the sectors passed; a jump starts from the nearest snapshot. One per
// thread; the player must outlive it and not be opened again meanwhile.
class ScreenCursor {
  public:
    explicit ScreenCursor(const CdgPlayer& player) : player_(&player) {}
    // Moves to the screen after `sectors` sectors (cut at the end).
    PlayerError MoveTo(std::uint64_t sectors);
    std::uint64_t position() const { return position_; }
    const CdgScreen& screen() const { return decoder_.screen(); }

  private:
    const CdgPlayer* player_;
    CdgDecoder decoder_;
    std::uint64_t position_ = 0;
};

}  // namespace orvane
