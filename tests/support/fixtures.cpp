#include "support/fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>

namespace orvane::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void PutLE16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutLE32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << path;
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Palette CommonPalette() {
    static const std::uint8_t rgb[16][3] = {
        {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
        {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
        {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
        {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF}};
    Palette p{};
    for (std::size_t k = 0; k < 16; ++k) p[k] = {rgb[k][2], rgb[k][1], rgb[k][0], 0};
    return p;
}

Picture MakePicture(const std::function<int(int, int)>& colour) {
    Picture pic{};
    InitPicture(pic);
    pic.palette = CommonPalette();
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const std::size_t n =
                static_cast<std::size_t>(kPictureHeight - 1 - y) * kPictureWidth + x;
            const auto c = static_cast<std::uint8_t>(colour(x, y) & 15);
            std::uint8_t& byte = pic.pixels[n / 2];
            byte = (n % 2 == 0) ? static_cast<std::uint8_t>((byte & 0x0F) | (c << 4))
                                : static_cast<std::uint8_t>((byte & 0xF0) | c);
        }
    }
    UpdatePreviewInfo(pic);
    return pic;
}

Picture RandomPicture(std::uint32_t seed) {
    std::mt19937 rng(seed);
    Picture pic = MakePicture([](int, int) { return 0; });
    for (auto& b : pic.pixels) b = static_cast<std::uint8_t>(rng());
    return pic;
}

Bytes MakeBmp(const Picture& picture, const BmpFields& f) {
    Bytes b(27766, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLE32(b, 2, static_cast<std::uint32_t>(f.fileSize));
    PutLE32(b, 10, 118);
    PutLE32(b, 14, 40);
    PutLE32(b, 18, static_cast<std::uint32_t>(f.width));
    PutLE32(b, 22, static_cast<std::uint32_t>(f.height));
    PutLE16(b, 26, 1);
    PutLE16(b, 28, f.bitsPerPixel);
    std::memcpy(&b[54], picture.palette.data(), 64);
    std::memcpy(&b[118], picture.pixels.data(), picture.pixels.size());
    b.resize(f.fileSize, 0);
    return b;
}

std::uint8_t AudioByte(std::size_t i) {
    return static_cast<std::uint8_t>((i * 7 + (i >> 11) * 13 + (i >> 17)) & 0xFF);
}

std::size_t WavHeaderBytes(const WavFields& f) {
    return 44 + f.extraChunks.size();
}

Bytes MakeWav(std::size_t audioBytes, const WavFields& f) {
    const std::size_t header = WavHeaderBytes(f);
    Bytes b(header + audioBytes, 0);
    std::memcpy(&b[0], f.riff, 4);
    PutLE32(b, 4, static_cast<std::uint32_t>(b.size() - 8));
    std::memcpy(&b[8], "WAVEfmt ", 8);
    PutLE32(b, 16, 16);
    PutLE16(b, 20, 1);
    PutLE16(b, 22, f.channels);
    PutLE32(b, 24, f.sampleRate);
    PutLE32(b, 28, f.sampleRate * f.channels * f.bitsPerSample / 8);
    PutLE16(b, 32, static_cast<std::uint16_t>(f.channels * f.bitsPerSample / 8));
    PutLE16(b, 34, f.bitsPerSample);
    if (!f.extraChunks.empty()) std::memcpy(&b[36], f.extraChunks.data(), f.extraChunks.size());
    std::memcpy(&b[header - 8], "data", 4);
    PutLE32(b, header - 4, static_cast<std::uint32_t>(audioBytes));
    for (std::size_t i = 0; i < audioBytes; ++i) b[header + i] = AudioByte(i);
    return b;
}

Bytes ClickSamples(double seconds, const std::vector<std::int64_t>& clicksMs) {
    Bytes bytes(static_cast<std::size_t>(seconds * 44100) * 4, 0);
    for (const std::int64_t ms : clicksMs) {
        const std::size_t at = static_cast<std::size_t>(ms) * 441 / 10;
        for (std::size_t k = 0; k < 220 && (at + k) * 4 < bytes.size(); ++k) {
            const auto v = static_cast<std::uint16_t>((k / 11 % 2 ? -1 : 1) * 20000);
            PutLE16(bytes, (at + k) * 4, v);
            PutLE16(bytes, (at + k) * 4 + 2, v);
        }
    }
    return bytes;
}

std::vector<std::uint64_t> ClickOnsets(const std::uint8_t* bytes, std::size_t size,
                                       std::uint64_t at, std::uint64_t& lastLoud) {
    std::vector<std::uint64_t> onsets;
    for (std::size_t i = 0; i + 4 <= size; i += 4) {
        const auto left = static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8);
        if (std::abs(left) <= 8000) continue;
        if (at + i - lastLoud > 176400 / 4) onsets.push_back(at + i);
        lastLoud = at + i;
    }
    return onsets;
}

}  // namespace orvane::test
