// A decoded screen as a player shows it, in 24-bit RGB.
#pragma once

#include <array>
#include <cstdint>

#include "player/cdg_decoder.h"

namespace orvane {

// The colour index shown at (x, y) of the 300 x 216 screen: in the visible
// area the memory's (x + h, y + v) for the current offsets, in the border
// the memory unshifted.
std::uint8_t ShownIndex(const CdgScreen& screen, int x, int y);

// Row y of the visible area (kCdgVisibleTop <= y < kCdgVisibleTop + 192) as
// shown: index x of the result is the index shown at (x, y) for
// kCdgVisibleLeft <= x < kCdgVisibleLeft + 288.
const std::uint8_t* ShownRow(const CdgScreen& screen, int y);

// 8-bit component of a 4-bit one: c * 17.
inline std::uint8_t Expand4(unsigned c) {
    return static_cast<std::uint8_t>((c & 15u) * 17u);
}

// Writes kCdgRgbBytes bytes (rows of 300 pixels, R G B each) to `rgb`.
void RenderRgb(const CdgScreen& screen, std::uint8_t* rgb);

using RgbScreen = std::array<std::uint8_t, kCdgRgbBytes>;
RgbScreen RenderRgb(const CdgScreen& screen);

}  // namespace orvane
