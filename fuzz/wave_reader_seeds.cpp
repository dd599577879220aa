// Recording headers the reader accepts and the near misses it refuses.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

using orvane::fuzz::PutLE16;
using orvane::fuzz::PutLE32;

// A header with `extra` bytes of other chunks before "data", then some audio.
std::string Wav(unsigned channels, unsigned rate, unsigned bits, std::size_t extra) {
    std::string b(44 + extra + 64, '\0');
    b.replace(0, 12, "RIFF\0\0\0\0WAVE", 12);
    PutLE32(b, 4, static_cast<unsigned>(b.size() - 8));
    b.replace(12, 4, "fmt ");
    PutLE32(b, 16, 16);
    PutLE16(b, 20, 1);
    PutLE16(b, 22, channels);
    PutLE32(b, 24, rate);
    PutLE32(b, 28, rate * channels * bits / 8);
    PutLE16(b, 32, channels * bits / 8);
    PutLE16(b, 34, bits);
    if (extra >= 8) {
        b.replace(36, 4, "LIST");
        PutLE32(b, 40, static_cast<unsigned>(extra - 8));
    }
    b.replace(36 + extra, 4, "data");
    PutLE32(b, 40 + extra, 64);
    return b;
}

}  // namespace

std::vector<std::string> FuzzSeeds() {
    return {Wav(2, 44100, 16, 0), Wav(2, 44100, 16, 52), Wav(2, 44100, 16, 60),
            Wav(1, 44100, 16, 0), Wav(2, 48000, 16, 0),  Wav(2, 44100, 24, 0),
            std::string("RIFF"),  std::string()};
}
