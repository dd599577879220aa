#include "app/lyrics/song_audio.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "convert/audio_decoder.h"

namespace orvane {

std::int64_t SongAudio::LengthMs() const {
    return static_cast<std::int64_t>(bytes_.size() / 4 * 1000 / 44100);
}

std::size_t SongAudio::Read(std::uint64_t offset, std::uint8_t* out, std::size_t count) const {
    if (offset >= bytes_.size()) return 0;
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, bytes_.size() - offset));
    std::memcpy(out, bytes_.data() + offset, n);
    return n;
}

std::vector<std::uint16_t> SongAudio::Peaks(int blockMs) const {
    const std::size_t blockBytes =
        static_cast<std::size_t>(std::max(1, blockMs)) * 44100 / 1000 * 4;
    std::vector<std::uint16_t> peaks((bytes_.size() + blockBytes - 1) / blockBytes, 0);
    for (std::size_t at = 0; at + 1 < bytes_.size(); at += 2) {
        const auto sample = static_cast<std::int16_t>(bytes_[at] | bytes_[at + 1] << 8);
        std::uint16_t& peak = peaks[at / blockBytes];
        peak = std::max<std::uint16_t>(peak, static_cast<std::uint16_t>(std::abs(int{sample})));
    }
    return peaks;
}

SongLoad LoadSong(const std::string& path) {
    AudioDecoder decoder;
    const AudioError opened = decoder.Open(path);
    if (opened.status != AudioStatus::Ok)
        return {nullptr, opened.message.empty() ? "It is not a sound file." : opened.message};
    std::vector<std::uint8_t> bytes;
    bytes.reserve(
        static_cast<std::size_t>(std::max<std::int64_t>(0, decoder.EstimatedFrames()) * 4));
    std::vector<std::int16_t> block(4096 * 2);
    while (bytes.size() < kMaxSongBytes) {
        const AudioDecoder::ReadResult got = decoder.Read(block.data(), 4096);
        if (got.frames == 0) {
            if (got.status != AudioStatus::End) return {nullptr, decoder.error().message};
            break;
        }
        // Little-endian, as the device and the tempo filter take them.
        for (std::size_t i = 0; i < got.frames * 2; ++i) {
            const auto sample = static_cast<std::uint16_t>(block[i]);
            bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
        }
    }
    if (bytes.empty()) return {nullptr, "It holds no sound."};
    return {std::make_shared<const SongAudio>(std::move(bytes)), {}};
}

}  // namespace orvane
