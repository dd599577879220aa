#include "app/player_audio.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

#include "convert/audio_decoder.h"

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

struct FileAudio::Decoding {
    AudioDecoder decoder;
};

FileAudio::FileAudio() = default;

FileAudio::~FileAudio() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

std::string FileAudio::Open(const std::string& path, std::uint64_t limitBytes) {
    decoding_ = std::make_unique<Decoding>();
    AudioError error = decoding_->decoder.Open(path, [this] { return stop_.load(); });
    if (error.status != AudioStatus::Ok)
        return error.message.empty() ? "not a sound file" : error.message;
    limit_ = limitBytes - limitBytes % 4;
    // Not value-initialised: pages are only taken as the decoder fills them.
    samples_.reset(new std::uint8_t[std::max<std::uint64_t>(limit_, 4)]);
    thread_ = std::thread([this] { Decode(); });
    return {};
}

void FileAudio::Decode() {
    constexpr std::size_t kBlockFrames = 4096;
    std::vector<std::int16_t> block(kBlockFrames * 2);
    std::uint64_t at = 0;
    while (at < limit_ && !stop_) {
        const AudioDecoder::ReadResult got = decoding_->decoder.Read(block.data(), kBlockFrames);
        if (got.frames == 0) {
            if (got.status != AudioStatus::End && got.status != AudioStatus::Stopped)
                KeepError(decoding_->decoder.error().message);
            break;
        }
        const std::size_t bytes =
            static_cast<std::size_t>(std::min<std::uint64_t>(got.frames * 4, limit_ - at));
        // The samples as the device takes them: 16-bit little-endian.
        for (std::size_t i = 0; i < bytes / 2; ++i) {
            const auto sample = static_cast<std::uint16_t>(block[i]);
            samples_[at + 2 * i] = static_cast<std::uint8_t>(sample & 0xFF);
            samples_[at + 2 * i + 1] = static_cast<std::uint8_t>(sample >> 8);
        }
        at += bytes;
        decoded_.store(at, std::memory_order_release);
    }
    done_.store(true, std::memory_order_release);
}

void FileAudio::WaitFor(std::uint64_t bytes) const {
    while (decoded_.load(std::memory_order_acquire) < std::min(bytes, limit_) &&
           !done_.load(std::memory_order_acquire)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::size_t FileAudio::Read(std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
    const std::uint64_t decoded = decoded_.load(std::memory_order_acquire);
    if (offset >= limit_) return 0;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes, limit_ - offset));
    const std::size_t ready =
        offset >= decoded
            ? 0
            : static_cast<std::size_t>(std::min<std::uint64_t>(wanted, decoded - offset));
    std::memcpy(out, samples_.get() + offset, ready);
    // Not decoded yet, or past the end of the file: silence, and the clock
    // goes on.
    std::memset(out + ready, 0, wanted - ready);
    return wanted;
}

}  // namespace orvane
