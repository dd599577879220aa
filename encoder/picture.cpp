#include "encoder/picture.h"

#include <algorithm>

namespace orvane {

namespace {

void PutLE32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutLE16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

void InitPicture(Picture& picture) {
    // A BITMAPINFOHEADER for an uncompressed 288 x 192, 4-bit picture; the
    // fields after the bit count stay zero, which is what a drawer expects.
    picture.header.fill(0);
    std::uint8_t* h = picture.header.data();
    PutLE32(h + 0, static_cast<std::uint32_t>(kInfoHeaderBytes));
    PutLE32(h + 4, static_cast<std::uint32_t>(kPictureWidth));
    PutLE32(h + 8, static_cast<std::uint32_t>(kPictureHeight));
    PutLE16(h + 12, 1);
    PutLE16(h + 14, 4);
    picture.pixels.fill(0);
    UpdatePreviewInfo(picture);
}

void UpdatePreviewInfo(Picture& picture) {
    auto out = std::copy(picture.header.begin(), picture.header.end(), picture.previewInfo.begin());
    for (const PaletteEntry& e : picture.palette) {
        *out++ = e.blue;
        *out++ = e.green;
        *out++ = e.red;
        *out++ = e.reserved;
    }
}

}  // namespace orvane
