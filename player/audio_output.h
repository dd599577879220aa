// Sound for the player: 44.1 kHz 16-bit stereo through SDL2's audio, and the
// clock the screen follows. "Now" comes from the sound itself (the bytes
// handed to the device minus what it still holds), so the picture never
// drifts from what is heard. With no audio device the same clock runs
// silently on the system's steady clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace orvane {

inline constexpr std::uint32_t kAudioBytesPerSecond = 176400;  // 44,100 x 2 x 2
inline constexpr std::uint32_t kAudioFrameBytes = 4;

// Fills `out` with up to `bytes` bytes of the stream from byte `offset` and
// returns how many it wrote; fewer means the stream ended there (the rest is
// played as silence). Called on SDL's audio thread.
using AudioPull =
    std::function<std::size_t(std::uint64_t offset, std::uint8_t* out, std::size_t bytes)>;

struct AudioOpenResult {
    bool device = false;  // false: the clock runs silently
    std::string message;  // why there is no device ("" when there is one)
};

class AudioOutput {
  public:
    AudioOutput() = default;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    ~AudioOutput();

    // Opens the default device, paused at byte 0, for a stream of
    // `totalBytes`. When no device opens, the result says why and the
    // output keeps time without sound.
    AudioOpenResult Open(std::uint64_t totalBytes, AudioPull pull);
    void Close();

    bool HasDevice() const { return device_ != 0; }
    bool Playing() const;
    // Playing at the end of the stream stops there; Play at the end starts
    // again from the beginning.
    void Play();
    void Pause();
    // Moves to `bytes` (cut to whole frames and to the stream), keeping the
    // playing or paused state.
    void Seek(std::uint64_t bytes);

    // The byte being heard now, in whole frames, never past the end.
    std::uint64_t PositionBytes() const;
    double Seconds() const;
    std::uint64_t TotalBytes() const { return total_; }
    // True once playing has reached the end of the stream.
    bool AtEnd() const { return PositionBytes() >= total_; }

  private:
    using Clock = std::chrono::steady_clock;
    static void Callback(void* self, std::uint8_t* stream, int length);
    void Fill(std::uint8_t* stream, std::size_t length);
    // The position under mutex_, computed from the last hand-over.
    std::uint64_t PositionLocked(Clock::time_point now) const;
    // Sets the position with no callback running (the caller holds the
    // device's lock when there is a device).
    void MoveTo(std::uint64_t bytes);
    void LockDevice() const;
    void UnlockDevice() const;

    AudioPull pull_;
    std::uint32_t device_ = 0;
    bool sdlStarted_ = false;
    std::uint64_t total_ = 0;

    mutable std::mutex mutex_;  // guards the rest, read by the UI thread
    bool playing_ = false;
    // Where the next hand-over starts.
    std::uint64_t next_ = 0;
    // Where the clock stood at the last hand-over (or the last seek) and when.
    std::uint64_t base_ = 0;
    Clock::time_point baseTime_{};
    // How far the clock may run on from base_ before the next hand-over.
    std::uint64_t runLimit_ = 0;
};

}  // namespace orvane
