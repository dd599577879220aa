// Any file a user may pick as the picture: the reader must never read out of
// bounds, and must keep its promises about what it changes.
#include <cstdlib>
#include <cstring>

#include "fuzz/fuzz_support.h"
#include "input/bitmap_reader.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    static Picture picture;
    InitPicture(picture);
    picture.palette[3].red = 0x5A;
    picture.pixels[100] = 0xA5;
    const Picture before = picture;

    const BitmapOutcome out = ReadBitmapFile(fuzz::InputAsFile(data, size), picture);
    Check(out.status != BitmapStatus::OpenFailed);
    if (out.status == BitmapStatus::Accepted) {
        Check(size == static_cast<std::size_t>(kBitmapFileBytes));
        Check(out.width == kPictureWidth && out.height == kPictureHeight && out.bitsPerPixel == 4);
        Check(std::memcmp(picture.pixels.data(), data + 118, kPixelBytes) == 0);
        Check(out.boxText.empty());
    } else {
        // A refused picture changes its header only: the preview keeps the
        // picture that was shown.
        Check(picture.palette[3].red == 0x5A && picture.pixels == before.pixels);
        Check(picture.previewInfo == before.previewInfo);
        Check(!out.boxText.empty() && out.logLine == "Invalid BMP file selected");
    }
    return 0;
}
