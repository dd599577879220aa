// Writes a picture as a PNG file through FFmpeg's PNG encoder, under a
// temporary name renamed when complete.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

struct PngError {
    bool failed = false;
    std::string message;
    explicit operator bool() const { return failed; }
};

enum class PngPixels { Rgb, Rgba };  // 3 or 4 bytes a pixel, straight alpha

// `pixels`: height rows of width pixels. Replaces `path`.
PngError WritePng(const std::string& path, const std::uint8_t* pixels, int width, int height,
                  PngPixels format = PngPixels::Rgb);

}  // namespace orvane
