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

// `rgb`: height rows of width pixels, R G B each. Replaces `path`.
PngError WriteRgbPng(const std::string& path, const std::uint8_t* rgb, int width, int height);

}  // namespace orvane
