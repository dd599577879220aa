// PNG files written by FFmpeg's PNG encoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::icons {

// Writes `rgba` (rows of `width` pixels, 4 bytes each, straight alpha) as a
// PNG. Returns an empty string on success, else what went wrong.
std::string WritePng(const std::string& path, const std::vector<std::uint8_t>& rgba, int width,
                     int height);

}  // namespace orvane::icons
