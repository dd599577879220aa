#include "convert/screen_fit.h"

#include <algorithm>
#include <cmath>

#include "convert/av_support.h"

namespace orvane {
namespace {

int Scaled(int length, int num, int den) {
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(length) * num / den)));
}

struct Planes {
    int width = 0, height = 0, stride = 0;
    std::unique_ptr<std::uint8_t, SourcePicture::Pixels::Free> data[4];
    bool Allocate(int w, int h) {
        width = w;
        height = h;
        stride = FFALIGN(w, 64);
        for (auto& d : data) {
            d.reset(static_cast<std::uint8_t*>(av_malloc(static_cast<std::size_t>(stride) * h)));
            if (!d) return false;
        }
        return true;
    }
    std::uint8_t At(int k, int x, int y) const {
        return data[k].get()[static_cast<std::size_t>(y) * stride + x];
    }
};

// Scales the crop of each plane on its own: the planes go through
// libswscale as YUVA 4:4:4 in and out, so it filters and converts nothing
// else (RGB in and out would pass through its YUV stage).
bool ScalePlanes(const SourcePicture::Pixels& src, const ScreenPlacement& p, int width, int height,
                 Planes& out) {
    if (!out.Allocate(width, height)) return false;
    av::SwsPtr sws(sws_getContext(p.cropWidth, p.cropHeight, AV_PIX_FMT_YUVA444P, width, height,
                                  AV_PIX_FMT_YUVA444P, SWS_LANCZOS | SWS_ACCURATE_RND, nullptr,
                                  nullptr, nullptr));
    if (!sws) return false;
    const std::size_t offset = static_cast<std::size_t>(p.cropY) * src.stride + p.cropX;
    // YUVA planes are Y, U, V, A: green, blue, red, alpha as GBRAP stores them.
    const std::uint8_t* in[4];
    std::uint8_t* dst[4];
    int inStride[4], dstStride[4];
    for (int k = 0; k < 4; ++k) {
        in[k] = src.Plane(k) + offset;
        inStride[k] = src.stride;
        dst[k] = out.data[k].get();
        dstStride[k] = out.stride;
    }
    return sws_scale(sws.get(), in, inStride, 0, p.cropHeight, dst, dstStride) == height;
}

// Where upright pixel (x, y) of a w x h area lies in planes of sw x sh that
// are stored with EXIF orientation `o`.
void StoredPosition(int o, int x, int y, int sw, int sh, int& sx, int& sy) {
    switch (o) {
        case 2:
            sx = sw - 1 - x;
            sy = y;
            break;
        case 3:
            sx = sw - 1 - x;
            sy = sh - 1 - y;
            break;
        case 4:
            sx = x;
            sy = sh - 1 - y;
            break;
        case 5:
            sx = y;
            sy = x;
            break;
        case 6:
            sx = y;
            sy = sh - 1 - x;
            break;
        case 7:
            sx = sw - 1 - y;
            sy = sh - 1 - x;
            break;
        case 8:
            sx = sw - 1 - y;
            sy = x;
            break;
        default:
            sx = x;
            sy = y;
            break;
    }
}

std::uint8_t Over(int premultiplied, int alpha, int background) {
    return static_cast<std::uint8_t>(
        std::clamp(premultiplied + (background * (255 - alpha) + 127) / 255, 0, 255));
}

}  // namespace

std::uint8_t ToPlayerLevel(std::uint8_t c) {
    return static_cast<std::uint8_t>((c * 15 + 127) / 255 * 17);
}

Rgb ToPlayerColour(Rgb c) {
    return {ToPlayerLevel(c.red), ToPlayerLevel(c.green), ToPlayerLevel(c.blue)};
}

ScreenPlacement PlaceOnScreen(const SourcePicture::Pixels& source, FitMode fit) {
    const int w = source.UprightWidth(), h = source.UprightHeight();
    const bool wider =
        static_cast<std::int64_t>(w) * kScreenHeight > static_cast<std::int64_t>(h) * kScreenWidth;
    ScreenPlacement p;
    p.width = kScreenWidth;
    p.height = kScreenHeight;
    int cropW = w, cropH = h;  // upright
    if (fit == FitMode::Fit && wider)
        p.height = std::min(kScreenHeight, Scaled(h, kScreenWidth, w));
    if (fit == FitMode::Fit && !wider)
        p.width = std::min(kScreenWidth, Scaled(w, kScreenHeight, h));
    if (fit == FitMode::Fill && wider) cropW = std::min(w, Scaled(h, kScreenWidth, kScreenHeight));
    if (fit == FitMode::Fill && !wider) cropH = std::min(h, Scaled(w, kScreenHeight, kScreenWidth));
    p.x = (kScreenWidth - p.width) / 2;
    p.y = (kScreenHeight - p.height) / 2;
    if (source.Transposed()) std::swap(cropW, cropH);
    p.cropWidth = cropW;
    p.cropHeight = cropH;
    p.cropX = (source.width - cropW) / 2;
    p.cropY = (source.height - cropH) / 2;
    return p;
}

bool RenderScreen(const SourcePicture::Pixels& source, const ScreenPlacement& p, Rgb background,
                  std::vector<std::uint8_t>& rgba) {
    const bool transposed = source.Transposed();
    const int sw = transposed ? p.height : p.width, sh = transposed ? p.width : p.height;
    Planes scaled;
    if (!ScalePlanes(source, p, sw, sh, scaled)) return false;
    rgba.resize(static_cast<std::size_t>(kScreenWidth) * kScreenHeight * 4);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = background.red;
        rgba[i + 1] = background.green;
        rgba[i + 2] = background.blue;
        rgba[i + 3] = 255;
    }
    for (int y = 0; y < p.height; ++y) {
        std::uint8_t* row =
            rgba.data() + (static_cast<std::size_t>(p.y + y) * kScreenWidth + p.x) * 4;
        for (int x = 0; x < p.width; ++x, row += 4) {
            int sx, sy;
            StoredPosition(source.orientation, x, y, sw, sh, sx, sy);
            const int a = scaled.At(3, sx, sy);
            row[0] = Over(scaled.At(2, sx, sy), a, background.red);
            row[1] = Over(scaled.At(0, sx, sy), a, background.green);
            row[2] = Over(scaled.At(1, sx, sy), a, background.blue);
        }
    }
    return true;
}

}  // namespace orvane
