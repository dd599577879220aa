// The recording the Lyrics window plays, decoded whole into memory (any
// format FFmpeg reads, as 44.1 kHz 16-bit stereo): the slowed stream, the
// waveform and seeking all want every sample at hand, and a song is a few
// tens of megabytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

// The longest recording taken: a CD's 80 minutes (a longer one is cut there,
// as no disc could hold the rest).
inline constexpr std::uint64_t kMaxSongBytes = 80ull * 60 * 176400;

class SongAudio {
  public:
    // 16-bit little-endian stereo frames.
    explicit SongAudio(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t Bytes() const { return bytes_.size(); }
    std::int64_t LengthMs() const;
    // Up to `count` bytes from `offset`; fewer at the end.
    std::size_t Read(std::uint64_t offset, std::uint8_t* out, std::size_t count) const;
    // The loudest sample of each `blockMs` piece, 0 .. 32768.
    std::vector<std::uint16_t> Peaks(int blockMs) const;

  private:
    std::vector<std::uint8_t> bytes_;
};

struct SongLoad {
    std::shared_ptr<const SongAudio> song;  // empty on failure
    std::string reason;                     // why not, for a box
};

SongLoad LoadSong(const std::string& path);

}  // namespace orvane
