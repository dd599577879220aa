// Slow playback for timing fast songs: the song played at 50 % or 75 % of
// its speed with its pitch kept (FFmpeg's atempo filter), and the mapping
// from the time heard back to the song's time, so a mark tapped while the
// song plays slowly is still a song time.
//
// The slowed song is addressed like any sound the audio output plays: a
// stream of 44.1 kHz 16-bit stereo bytes, here `1 / speed` times longer than
// the song. Byte h of it is the song's sound at h x speed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace orvane {

inline constexpr std::uint32_t kSongBytesPerSecond = 176400;  // 44,100 x 2 x 2

// The speeds offered, in percent.
inline constexpr int kTimingSpeeds[] = {50, 75, 100};

// The song's time heard at byte `heardBytes` of the stream played at
// `percent` % (rounded to the millisecond), and back.
std::int64_t HeardBytesToSongMs(std::uint64_t heardBytes, int percent);
std::uint64_t SongMsToHeardBytes(std::int64_t songMs, int percent);
// The stream's length for a song of `songBytes`.
std::uint64_t HeardLength(std::uint64_t songBytes, int percent);

// Up to `bytes` bytes of the song from byte `offset`; fewer at its end.
using SongPull =
    std::function<std::size_t(std::uint64_t offset, std::uint8_t* out, std::size_t bytes)>;

// The stream at one speed. Read is called by the audio thread, SetSpeed by
// the window; a lock keeps them apart.
class TempoStream {
  public:
    TempoStream(SongPull song, std::uint64_t songBytes);
    TempoStream(const TempoStream&) = delete;
    TempoStream& operator=(const TempoStream&) = delete;
    ~TempoStream();

    // One of kTimingSpeeds; another value is refused (false).
    bool SetSpeed(int percent);
    int Speed() const;
    std::uint64_t Length() const;

    // The slowed stream from heard byte `offset`, as the audio output pulls
    // it. A read that does not follow the last one (a seek) starts the
    // filter afresh at the song's matching place. A filter that fails plays
    // the rest as silence (fewer bytes), never as noise.
    std::size_t Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes);

  private:
    struct Filter;
    std::size_t FeedPiece(Filter& f, std::uint8_t* out);
    std::size_t ReadSlowed(std::uint64_t offset, std::uint8_t* out, std::size_t bytes);

    SongPull song_;
    std::uint64_t songBytes_ = 0;
    mutable std::mutex mutex_;
    int percent_ = 100;
    std::unique_ptr<Filter> filter_;
};

}  // namespace orvane
