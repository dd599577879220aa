// The sound the player window plays, addressed by byte like the audio clock:
// an image's own audio, or the sound file beside a .cdg stream. Read runs on
// the sound thread; a failed read plays silence and is kept for the window.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "player/cdg_player.h"

namespace orvane {

class PlayerAudio {
  public:
    virtual ~PlayerAudio() = default;
    // Up to `bytes` bytes from byte `offset`; fewer at the end or on failure.
    virtual std::size_t Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) = 0;

    // The first read failure since the last call ("" when none).
    std::string TakeError();

  protected:
    void KeepError(const std::string& message);

  private:
    std::mutex mutex_;
    std::string error_;
};

// An image's audio: 2,352 bytes a sector.
class ImageAudio : public PlayerAudio {
  public:
    explicit ImageAudio(const CdgPlayer& player) : player_(player) {}
    std::size_t Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) override;

  private:
    const CdgPlayer& player_;
    std::vector<std::uint8_t> sectors_;  // only the sound thread touches it
};

// The sound file beside a .cdg, decoded with FFmpeg on a thread of its own
// into memory as far as the stream lasts, so seeking anywhere is immediate
// once decoded; what is not decoded yet plays as silence. The decoder is far
// faster than playing, so in practice only a seek right after opening waits.
class FileAudio : public PlayerAudio {
  public:
    FileAudio();
    ~FileAudio() override;
    // Opens `path` and starts decoding up to `limitBytes`; "" when it opens,
    // the decoder's reason otherwise.
    std::string Open(const std::string& path, std::uint64_t limitBytes);
    std::size_t Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) override;
    // Waits until `bytes` from the start are decoded, or decoding has ended
    // (at the end, the limit or a failure).
    void WaitFor(std::uint64_t bytes) const;

  private:
    struct Decoding;
    void Decode();

    std::unique_ptr<Decoding> decoding_;
    std::unique_ptr<std::uint8_t[]> samples_;  // allocated, touched as decoded
    std::uint64_t limit_ = 0;
    std::atomic<std::uint64_t> decoded_{0};
    std::atomic<bool> done_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace orvane
