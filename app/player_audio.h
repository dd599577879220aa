// The sound the player window plays, addressed by byte like the audio clock:
// an image's own audio, or the sound file beside a .cdg stream. Read runs on
// the sound thread; a failed read plays silence and is kept for the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
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

}  // namespace orvane
