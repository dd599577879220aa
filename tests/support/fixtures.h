// Inputs the tests generate: pictures, recordings and scratch folders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "encoder/picture.h"

namespace orvane::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

void PutLE16(Bytes& b, std::size_t at, std::uint16_t v);
void PutLE32(Bytes& b, std::size_t at, std::uint32_t v);
void WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

// A picture whose pixel (x, y) is colour(x, y) & 15, with the common
// 16-colour palette.
Picture MakePicture(const std::function<int(int, int)>& colour);
Picture RandomPicture(std::uint32_t seed);
Palette CommonPalette();

struct BmpFields {
    std::int32_t width = 288;
    std::int32_t height = 192;
    std::uint16_t bitsPerPixel = 4;
    std::size_t fileSize = 27766;  // bytes written in all (padded or cut)
};
// A BMP file of `picture` with the given header fields.
Bytes MakeBmp(const Picture& picture, const BmpFields& fields = {});

struct WavFields {
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;
    const char* riff = "RIFF";
    // Bytes of extra chunks placed between "fmt " and "data".
    Bytes extraChunks;
};
// A WAVE file with a 44-byte header (plus extra chunks) and `audioBytes` of
// audio whose byte i is AudioByte(i).
Bytes MakeWav(std::size_t audioBytes, const WavFields& fields = {});
std::uint8_t AudioByte(std::size_t i);
// Header length MakeWav writes before the audio.
std::size_t WavHeaderBytes(const WavFields& fields = {});

// `seconds` of 44.1 kHz 16-bit stereo silence with a short loud burst at each
// click, and the offsets of the clicks that start in `bytes` played from
// offset `at`: each loud sample over a quarter second after the last loud
// one, `lastLoud`, which carries over from one call to the next.
Bytes ClickSamples(double seconds, const std::vector<std::int64_t>& clicksMs);
std::vector<std::uint64_t> ClickOnsets(const std::uint8_t* bytes, std::size_t size,
                                       std::uint64_t at, std::uint64_t& lastLoud);

}  // namespace orvane::test
