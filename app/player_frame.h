// The screen as the player window shows it: scaled by a whole factor, each
// pixel a square block, so the blocky look of a CD+G screen stays sharp.
#pragma once

#include <cstdint>

namespace orvane {

inline constexpr int kDefaultScreenFactor = 2;

// 24-bit RGB `width` x `height` into `out`, which holds factor * width by
// factor * height pixels.
void ScaleNearest(const std::uint8_t* rgb, int width, int height, int factor, std::uint8_t* out);

// Whether the time slider's thumb, showing `shown` of `total` sectors over
// `pixels`, should move to `now`: while playing only once it would move by a
// whole pixel, since every move costs a repaint.
bool SliderMoves(int shown, int now, int total, int pixels, bool playing);

// The default factor, or a smaller one when that screen would not fit a
// display of `displayWidth` x `displayHeight` beside the window's controls.
int ScreenFactor(int displayWidth, int displayHeight);

}  // namespace orvane
