// Reading a finished disc image (2,448-byte sectors: 2,352 audio bytes, then
// 96 bytes of R-W subcode) or a .cdg stream (the 96 subcode bytes alone per
// sector), whole sectors at a time, in order or from anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "encoder/subcode.h"  // kRawSectorBytes, shared with the encoder

namespace orvane {

inline constexpr std::size_t kSectorAudioBytes = kAudioSectorBytes;     // 2,352
inline constexpr std::size_t kSectorSubcodeBytes = kSubcodeBlockBytes;  // 96
inline constexpr std::uint64_t kSectorsPerSecond = 75;
inline constexpr std::size_t kSubcodePacketBytes = 24;  // four to a sector

enum class SectorLayout {
    RawImage,   // audio and subcode side by side, 2,448 bytes a sector
    CdgStream,  // subcode only, 96 bytes a sector (four 24-byte packets)
};

inline constexpr std::size_t SectorBytes(SectorLayout layout) {
    return layout == SectorLayout::RawImage ? kRawSectorBytes : kSectorSubcodeBytes;
}

enum class SectorFileStatus {
    Ok,
    OpenFailed,  // message: the system's text ("No such file or directory")
    Empty,       // message: "The file is empty"
    NoSector,    // shorter than one sector (a .cdg: packet); message says so
    ReadFailed,  // message: the system's text, or "The file got shorter"
};

struct SectorFileError {
    SectorFileStatus status = SectorFileStatus::Ok;
    std::string message;
    explicit operator bool() const { return status != SectorFileStatus::Ok; }
};

// "Ignored the last N bytes of FILE: not a whole sector": how every front
// end reports a tail that is left out.
std::string IgnoredTailLine(std::uint64_t bytes, const std::string& file);

class SectorFile {
  public:
    SectorFile() = default;
    SectorFile(const SectorFile&) = delete;
    SectorFile& operator=(const SectorFile&) = delete;
    SectorFile(SectorFile&& other) noexcept;
    SectorFile& operator=(SectorFile&& other) noexcept;
    ~SectorFile();

    // Opens read-only; anything but a regular file is refused (OpenFailed,
    // saying what it is). The size is taken once, here: sectorCount() and
    // ignoredBytes() describe the file as it was opened.
    // A .cdg is a run of 24-byte packets and players show every whole one:
    // one that ends inside a sector keeps that sector, read as if padded
    // with empty packets, and only a part of a packet is ignored.
    SectorFileError Open(const std::string& path, SectorLayout layout);

    SectorLayout layout() const { return layout_; }
    std::size_t sectorBytes() const { return SectorBytes(layout_); }
    std::uint64_t sectorCount() const { return sectorCount_; }
    // The file's length when it was opened.
    std::uint64_t byteCount() const { return dataBytes_ + ignoredBytes_; }
    // The tail after the last whole sector (a .cdg: packet), which nothing reads.
    std::uint64_t ignoredBytes() const { return ignoredBytes_; }

    // Reads sectors [first, first + count) into `out`, which holds
    // count * sectorBytes() bytes. `count` is cut at the end of the file's
    // whole sectors; `read` receives how many were read.
    // Only reads (pread), so several threads may read one open file at once.
    SectorFileError Read(std::uint64_t first, std::size_t count, std::uint8_t* out,
                         std::size_t& read) const;

  private:
    int fd_ = -1;
    SectorLayout layout_ = SectorLayout::RawImage;
    std::uint64_t sectorCount_ = 0;
    std::uint64_t ignoredBytes_ = 0;
    std::uint64_t dataBytes_ = 0;  // what is read; the rest of the last sector is zeros
};

}  // namespace orvane
