// Pictures the reader accepts and the near misses it refuses.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

using orvane::fuzz::PutLE16;
using orvane::fuzz::PutLE32;

std::string Bmp(unsigned width, unsigned height, unsigned bits, std::size_t size) {
    std::string b(27766, '\0');
    b[0] = 'B';
    b[1] = 'M';
    PutLE32(b, 2, static_cast<unsigned>(size));
    PutLE32(b, 10, 118);
    PutLE32(b, 14, 40);
    PutLE32(b, 18, width);
    PutLE32(b, 22, height);
    PutLE16(b, 26, 1);
    PutLE16(b, 28, bits);
    for (std::size_t k = 0; k < 16; ++k) b[54 + 4 * k] = static_cast<char>(k * 17);
    for (std::size_t i = 118; i < b.size(); ++i) b[i] = static_cast<char>(i * 7);
    b.resize(size);
    return b;
}

}  // namespace

std::vector<std::string> FuzzSeeds() {
    return {Bmp(288, 192, 4, 27766),  Bmp(288, 192, 8, 27766),
            Bmp(48, 192, 4, 27766),   Bmp(288, 0xFFFFFF40, 4, 27766),
            Bmp(288, 192, 64, 27766), Bmp(288, 192, 4, 27765),
            Bmp(288, 192, 4, 40),     std::string()};
}
