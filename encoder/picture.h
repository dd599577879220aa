// The one loaded picture: a 288 x 192, 16-colour bitmap held exactly as the
// BMP file stores it, so the encoder and the preview work on the same bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

inline constexpr int kPictureWidth = 288;
inline constexpr int kPictureHeight = 192;
inline constexpr std::size_t kPictureRowBytes = 144;  // two pixels per byte
inline constexpr std::size_t kPixelBytes = kPictureRowBytes * kPictureHeight;  // 27,648
inline constexpr std::size_t kInfoHeaderBytes = 40;
inline constexpr std::size_t kPaletteEntries = 16;
inline constexpr std::size_t kPreviewInfoBytes = kInfoHeaderBytes + 4 * kPaletteEntries;  // 104

// One palette entry as a BMP stores it; `reserved` is ignored everywhere.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};
static_assert(sizeof(PaletteEntry) == 4);

using Palette = std::array<PaletteEntry, kPaletteEntries>;

struct Picture {
    // BITMAPINFOHEADER layout, little-endian, as last read from a file.
    std::array<std::uint8_t, kInfoHeaderBytes> header{};
    Palette palette{};
    // 192 rows of 144 bytes, bottom row first, left pixel in the high nibble.
    std::array<std::uint8_t, kPixelBytes> pixels{};
    // header followed by the palette: what the preview draws `pixels` with.
    std::array<std::uint8_t, kPreviewInfoBytes> previewInfo{};
};

// Puts `picture` in its start state: a black 288 x 192, 4-bit picture with a
// valid preview description. The palette is left as it is (zero at start).
void InitPicture(Picture& picture);

// Colour index (0..15) of pixel (x, y), y counted from the top.
inline std::uint8_t PixelAt(const Picture& picture, int x, int y) {
    const std::size_t n = static_cast<std::size_t>(kPictureHeight - 1 - y) * kPictureWidth +
                          static_cast<std::size_t>(x);
    const std::uint8_t byte = picture.pixels[n / 2];
    return (n % 2 == 0) ? static_cast<std::uint8_t>(byte >> 4)
                        : static_cast<std::uint8_t>(byte & 0x0F);
}

// Copies header and palette into previewInfo.
void UpdatePreviewInfo(Picture& picture);

}  // namespace orvane
