// The decoded picture a SourcePicture holds: four planes at the size it was
// decoded at, in the file's own orientation, colours premultiplied by alpha
// so that scaling never bleeds the colour of transparent pixels.
#pragma once

extern "C" {
#include <libavutil/mem.h>
}

#include <cstdint>
#include <memory>
#include <string>

#include "convert/picture_convert.h"

namespace orvane {

struct SourcePicture::Pixels {
    int width = 0;      // of the planes (a reduced JPEG decode is smaller
    int height = 0;     // than the file states)
    int fileWidth = 0;  // as the file states, upright
    int fileHeight = 0;
    int orientation = 1;  // EXIF 1..8: how the planes must turn to be upright
    bool hasAlpha = false;
    std::string format;
    // Planes of `height` rows of `stride` bytes: green, blue, red, alpha (the
    // order of FFmpeg's GBRAP), aligned as libswscale wants them.
    struct Free {
        void operator()(std::uint8_t* p) const { av_free(p); }
    };
    int stride = 0;
    std::unique_ptr<std::uint8_t, Free> planes[4];

    std::uint8_t* Plane(int k) const { return planes[k].get(); }

    bool Transposed() const { return orientation >= 5; }
    int UprightWidth() const { return Transposed() ? height : width; }
    int UprightHeight() const { return Transposed() ? width : height; }
};

}  // namespace orvane
