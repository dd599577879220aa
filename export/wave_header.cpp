#include "export/wave_header.h"

#include <cstring>

namespace orvane {
namespace {

void Put(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::array<std::uint8_t, kWaveHeaderBytes> WaveHeader(std::uint64_t audioBytes) {
    const auto size = static_cast<std::uint32_t>(audioBytes);
    std::array<std::uint8_t, kWaveHeaderBytes> h{};
    std::memcpy(&h[0], "RIFF", 4);
    Put(&h[4], size + 36, 4);
    std::memcpy(&h[8], "WAVEfmt ", 8);
    Put(&h[16], 16, 4);         // fmt chunk size
    Put(&h[20], 1, 2);          // PCM
    Put(&h[22], 2, 2);          // channels
    Put(&h[24], 44100, 4);      // sample rate
    Put(&h[28], 44100 * 4, 4);  // bytes per second
    Put(&h[32], 4, 2);          // block align
    Put(&h[34], 16, 2);         // bits per sample
    std::memcpy(&h[36], "data", 4);
    Put(&h[40], size, 4);
    return h;
}

}  // namespace orvane
