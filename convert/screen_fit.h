// A decoded picture laid out on the 288 x 192 screen: fitted, filled or
// stretched, scaled with a Lanczos filter, turned upright, and laid over the
// background where it is transparent or does not reach.
#pragma once

#include <cstdint>
#include <vector>

#include "convert/picture_source.h"

namespace orvane {

inline constexpr int kScreenWidth = 288;
inline constexpr int kScreenHeight = 192;

// Where the picture goes: `area` on the screen (upright), taken from `crop`
// of the planes (in their own orientation).
struct ScreenPlacement {
    int x = 0, y = 0, width = 0, height = 0;
    int cropX = 0, cropY = 0, cropWidth = 0, cropHeight = 0;
    bool HasBars() const { return width < kScreenWidth || height < kScreenHeight; }
};

ScreenPlacement PlaceOnScreen(const SourcePicture::Pixels& source, FitMode fit);

// The nearest colour a player can show: 4 bits per component, times 17.
std::uint8_t ToPlayerLevel(std::uint8_t c);
Rgb ToPlayerColour(Rgb c);

// 288 x 192 opaque RGBA pixels, top row first. False when out of memory.
bool RenderScreen(const SourcePicture::Pixels& source, const ScreenPlacement& place, Rgb background,
                  std::vector<std::uint8_t>& rgba);

}  // namespace orvane
