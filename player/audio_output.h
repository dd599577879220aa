// Sound for the player: 44.1 kHz 16-bit stereo through SDL2's audio, and the
// clock the screen follows. "Now" comes from the sound itself (the bytes
// handed to the device minus what it still holds in front of them), so the
// picture never drifts from what is heard and stops when the device stops.
// With no audio device the same clock runs silently on the system's steady
// clock.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "player/audio_clock.h"

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

// What a device still holds in front of each buffer SDL hands it, for SDL's
// driver `driver` and buffers of `bufferBytes`: SDL's audio thread asks for
// the next buffer once the device has room for it. ALSA is set up with two
// buffers, so one is still playing then; PulseAudio and PipeWire are asked
// for a latency of one buffer (ffplay assumes the same). The disk and dummy
// drivers take the buffer at once and then wait out its length: none.
std::uint64_t DeviceLatencyBytes(const std::string& driver, std::uint64_t bufferBytes);

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

    bool Playing() const;
    // The clock stops at the end of the stream (the device plays silence
    // there); Play at the end starts again from the beginning.
    void Play();
    void Pause();
    // Moves to `bytes` (cut to whole frames and to the stream), keeping the
    // playing or paused state.
    void Seek(std::uint64_t bytes);

    // The position of the sound being heard now: the byte of the stream
    // reaching the listener, in whole frames, never past the end. It moves
    // only while the device takes sound (or, with no device, with time),
    // and stands still while paused.
    std::uint64_t PositionBytes() const { return PositionBytesAt(AudioClock::Clock::now()); }
    // The same at `when`, a moment up to about a second and a half ago (the
    // time a key was pressed), so a mark is the sound heard then, not when
    // its event was handled.
    std::uint64_t PositionBytesAt(AudioClock::Clock::time_point when) const;
    double Seconds() const;
    // True once playing has reached the end of the stream.
    bool AtEnd() const { return PositionBytes() >= total_; }
    // What the device holds in front of each buffer (0 with no device).
    std::uint64_t LatencyBytes() const { return latency_; }

  private:
    using Clock = AudioClock::Clock;
    static void Callback(void* self, std::uint8_t* stream, int length);
    void Fill(std::uint8_t* stream, std::size_t length);
    // Paused at the start, with the device's latency.
    void ResetClock();
    // Sets the position with no callback running (the caller holds the
    // device's lock when there is a device).
    void MoveTo(std::uint64_t bytes);
    void LockDevice() const;
    void UnlockDevice() const;

    AudioPull pull_;
    std::uint32_t device_ = 0;
    bool sdlStarted_ = false;
    std::uint64_t total_ = 0;
    std::uint64_t latency_ = 0;

    mutable std::mutex mutex_;  // guards the rest, read by the UI thread
    bool playing_ = false;
    // Where the next hand-over starts.
    std::uint64_t next_ = 0;
    AudioClock clock_;
};

}  // namespace orvane
