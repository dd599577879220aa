// Any song, or the sound of a video, as 44,100 Hz 16-bit stereo: decoded
// with FFmpeg's libraries, read a block at a time. Mono goes to both
// channels unchanged, more than two channels are mixed down, other rates are
// resampled with the SoX resampler, and the last step to 16 bits is dithered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

enum class AudioStatus {
    Ok,
    End,           // Read: everything has been delivered
    OpenFailed,    // the file could not be opened or read (the system's reason)
    NotAudio,      // no format recognised, or no audio track in it
    DecodeFailed,  // damaged or unsupported contents (the decoder's reason)
    Stopped,       // the cancel check said stop
};

struct AudioError {
    AudioStatus status = AudioStatus::Ok;
    std::string message;  // empty when Ok or End
};

class AudioDecoder {
  public:
    static constexpr int kRate = 44100;
    static constexpr int kChannels = 2;

    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // Opens `path` and its best audio track. `cancelled` (may be empty) is
    // polled during every read and probe, from the calling thread.
    AudioError Open(const std::string& path, std::function<bool()> cancelled = {});

    struct ReadResult {
        std::size_t frames = 0;  // stereo frames written (2 samples each)
        AudioStatus status = AudioStatus::Ok;
    };
    // Fills `out` with up to `count` interleaved stereo frames. Fewer than
    // `count` only at the end or before a failure: status Ok with frames > 0,
    // then End (frames 0) or a failure whose reason error() gives.
    ReadResult Read(std::int16_t* out, std::size_t count);
    const AudioError& error() const;

    // The container's idea of the length, in frames at 44,100 Hz; 0 when it
    // has none. An estimate: the decoded length may differ a little.
    std::int64_t EstimatedFrames() const;
    // Format and codec as FFmpeg names them ("mp3", "flac"), for log lines.
    std::string Description() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orvane
