// The 44-byte header of a WAVE file holding CD audio (44.1 kHz, 16 bit, stereo).
#pragma once

#include <array>
#include <cstdint>

namespace orvane {

inline constexpr std::size_t kWaveHeaderBytes = 44;
// The RIFF size field (32 bits) counts the 36 header bytes after it as well.
inline constexpr std::uint64_t kMaxWaveAudioBytes = 0xFFFFFFFFull - 36;

// For `audioBytes` up to kMaxWaveAudioBytes.
std::array<std::uint8_t, kWaveHeaderBytes> WaveHeader(std::uint64_t audioBytes);

}  // namespace orvane
