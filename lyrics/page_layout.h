// Where lines go on the screen: pages of rows inside the part every
// television shows, each row on whole tile rows (fewer tiles to draw), the
// block of rows at the top, middle or bottom as the style's alignment says,
// and the author's own \pos where a line has one.
#pragma once

#include <vector>

#include "encoder/picture.h"
#include "lyrics/ass_raster.h"
#include "lyrics/line_fit.h"
#include "lyrics/lyrics_model.h"

namespace orvane {

// The visible 288 x 192 less its outermost tile row and column.
inline constexpr InkBox kSafeArea{6, 12, 282, 180};
// Lines on a page: enough to read ahead, few enough to leave the picture.
inline constexpr int kPageRows = 4;

struct PlacedBlock {
    std::vector<int> x, y;  // each row's placing point
    InkBox box;             // its ink, one pixel around, inside the safe area
};

class PageGrid {
  public:
    // `reference`: TextMeasure::Reference at the style's size.
    PageGrid(const LyricsStyle& style, const InkBox& reference);

    int FitWidth() const { return area_.width() - 2; }
    int MaxTileRows() const { return lastRow_ - firstRow_; }

    // The next line of the pages: its rows in the next free slots, on a new
    // page when they do not fit on this one, clear of the `busy` boxes
    // (lines still sung when this one must show) wherever the screen has
    // room for that.
    PlacedBlock Next(const FittedBlock& block, int alignment, const std::vector<InkBox>& busy);
    // Where the author put it: `alignment` says which point of the block is
    // at (x, y); moved inside the safe area when it reaches out of it.
    PlacedBlock At(const FittedBlock& block, double x, double y, int alignment) const;
    // Centred on the screen (the title).
    PlacedBlock Centred(const std::vector<FittedBlock>& blocks) const;

  private:
    PlacedBlock Stack(const std::vector<const FittedBlock*>& blocks, int left, int right, int top,
                      int horizontal) const;

    InkBox area_;                      // where rows may go across: the margins inside the safe area
    int firstRow_ = 1, lastRow_ = 15;  // tile rows [first, last) the pages use
    int rowTiles_ = 2;
    int vertical_ = 0;  // 0 bottom, 1 middle, 2 top
    int slot_ = 0;      // next free row of the current page
};

}  // namespace orvane
