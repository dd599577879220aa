// The screen as the player window shows it: scaled by a whole factor, each
// pixel a square block, so the blocky look of a CD+G screen stays sharp;
// redrawn only where it changed.
#pragma once

#include <cstdint>
#include <vector>

namespace orvane {

inline constexpr int kDefaultScreenFactor = 2;

// Neighbouring tiles (6 x 12 pixels of the 300 x 216 screen) of one tile
// row: columns [first, first + count) of row `row`.
struct TileRun {
    int row = 0;
    int first = 0;
    int count = 0;
    bool operator==(const TileRun&) const = default;
};

// Where the screen `now` differs from `before` (both 24-bit RGB, 300 x 216),
// as runs of neighbouring changed tiles, row by row: only these are drawn
// again. A scroll or a new colour table changes many; a tile packet one.
std::vector<TileRun> ChangedTiles(const std::uint8_t* before, const std::uint8_t* now);
// Every tile: one run per row.
std::vector<TileRun> AllTiles();

// Whether the time slider's thumb, showing `shown` of `total` sectors over
// `pixels`, should move to `now`: while playing only once it would move by a
// whole pixel, since every move costs a repaint.
bool SliderMoves(int shown, int now, int total, int pixels, bool playing);

// The largest factor whose screen fits a display of `displayWidth` x
// `displayHeight` beside the window's controls (at least 1).
int LargestScreenFactor(int displayWidth, int displayHeight);

}  // namespace orvane
