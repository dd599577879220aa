// Pictures the reader accepts and the near misses it refuses.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

void Put16(std::string& b, std::size_t at, unsigned v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& b, std::size_t at, unsigned v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

std::string Bmp(unsigned width, unsigned height, unsigned bits, std::size_t size) {
    std::string b(27766, '\0');
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<unsigned>(size));
    Put32(b, 10, 118);
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, height);
    Put16(b, 26, 1);
    Put16(b, 28, bits);
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
