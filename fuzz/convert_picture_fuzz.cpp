// Any bytes as a picture file: probing, every picture decoder FFmpeg has, the
// orientation tag, the conversion to planes, and the layout on the screen.
#include "convert/picture_decoder.h"
#include "convert/screen_fit.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    NullProgress progress;
    SourcePicture::Pixels pixels;
    if (!DecodePicture(fuzz::InputAsFile(data, size), progress, pixels).ok()) return 0;
    std::vector<std::uint8_t> rgba;
    for (FitMode fit : {FitMode::Fit, FitMode::Fill, FitMode::Stretch})
        RenderScreen(pixels, PlaceOnScreen(pixels, fit), {10, 20, 30}, rgba);
    return 0;
}
