#include "app/player_audio.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace orvane {

std::string PlayerAudio::TakeError() {
    std::lock_guard lock(mutex_);
    return std::exchange(error_, {});
}

void PlayerAudio::KeepError(const std::string& message) {
    std::lock_guard lock(mutex_);
    if (error_.empty()) error_ = message.empty() ? "read failed" : message;
}

std::size_t ImageAudio::Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
    const std::uint64_t first = offset / kSectorAudioBytes;
    const std::size_t skip = static_cast<std::size_t>(offset % kSectorAudioBytes);
    const std::size_t count = (skip + bytes + kSectorAudioBytes - 1) / kSectorAudioBytes;
    sectors_.resize(count * kSectorAudioBytes);
    std::size_t read = 0;
    if (PlayerError error = player_.ReadAudio(first, count, sectors_.data(), read)) {
        KeepError(error.message);
        return 0;
    }
    const std::size_t available = read * kSectorAudioBytes;
    if (available <= skip) return 0;
    const std::size_t given = std::min(bytes, available - skip);
    std::memcpy(out, sectors_.data() + skip, given);
    return given;
}

}  // namespace orvane
