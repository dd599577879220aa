#include "lyrics/page_layout.h"

#include <algorithm>
#include <cstdlib>

#include "lyrics/show_times.h"

namespace orvane {
namespace {

int Horizontal(int alignment) {
    return (std::clamp(alignment, 1, 9) - 1) % 3;  // 0 left, 1 centre, 2 right
}
int Vertical(int alignment) {
    return (std::clamp(alignment, 1, 9) - 1) / 3;  // 0 bottom, 1 middle, 2 top
}

InkBox Shifted(const InkBox& box, int dx, int dy) {
    return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
}

// The offset that brings `box` inside `area` (as far as it fits).
int Into(int low, int high, int areaLow, int areaHigh) {
    if (high > areaHigh) return std::max(areaHigh - high, areaLow - low);
    if (low < areaLow) return areaLow - low;
    return 0;
}

}  // namespace

PageGrid::PageGrid(const LyricsStyle& style, const InkBox& reference)
    : rowTiles_(RowTiles(reference)), vertical_(Vertical(style.alignment)) {
    area_ = {std::max(kSafeArea.left, style.marginLeft), kSafeArea.top,
             std::min(kSafeArea.right, kPictureWidth - style.marginRight), kSafeArea.bottom};
    // Margins that leave no room are the author's mistake for another
    // screen: the safe area is used whole.
    if (area_.width() < 10 * kTileWidth) area_ = kSafeArea;
    const int safeFirst = kSafeArea.top / kTileHeight, safeLast = kSafeArea.bottom / kTileHeight;
    firstRow_ = safeFirst;
    lastRow_ = safeLast;
    if (vertical_ == 0)
        lastRow_ = std::min(safeLast, (kPictureHeight - style.marginVertical) / kTileHeight);
    if (vertical_ == 2)
        firstRow_ = std::max(safeFirst, (style.marginVertical + kTileHeight - 1) / kTileHeight);
    if (lastRow_ - firstRow_ < rowTiles_) {
        firstRow_ = safeFirst;
        lastRow_ = safeLast;
    }
}

PlacedBlock PageGrid::Stack(const std::vector<const FittedBlock*>& blocks, int left, int right,
                            int top, int horizontal) const {
    PlacedBlock placed;
    int rowTop = top;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const InkBox& ref = blocks[b]->reference;
        const int pitch = RowTiles(ref) * kTileHeight;
        for (const FittedRow& row : blocks[b]->rows) {
            int x = left - row.ink.left + 1;
            if (horizontal == 1) x = (left + right - row.ink.width()) / 2 - row.ink.left;
            if (horizontal == 2) x = right - row.ink.right - 1;
            int y = rowTop + (pitch - ref.height()) / 2 - ref.top;
            InkBox ink = Shifted(row.ink, x, y);
            ink = {ink.left - 1, ink.top - 1, ink.right + 1, ink.bottom + 1};
            // Letters taller or deeper than the reference stay inside too.
            const int dx = Into(ink.left, ink.right, kSafeArea.left, kSafeArea.right);
            const int dy = Into(ink.top, ink.bottom, kSafeArea.top, kSafeArea.bottom);
            placed.x.push_back(x + dx);
            placed.y.push_back(y + dy);
            placed.box.Add(Shifted(ink, dx, dy));
            rowTop += pitch;
        }
    }
    return placed;
}

PlacedBlock PageGrid::Next(const FittedBlock& block, int alignment,
                           const std::vector<InkBox>& busy) {
    // In slots of the style's row height (a smaller line takes fewer).
    const int rows = (block.TileRows() + rowTiles_ - 1) / rowTiles_;
    const int pageRows = std::max(1, std::min(kPageRows, MaxTileRows() / rowTiles_));
    const int height = std::max(pageRows, rows) * rowTiles_;
    int blockTop = firstRow_;  // top alignment
    if (vertical_ == 0) blockTop = lastRow_ - height;
    if (vertical_ == 1) blockTop = firstRow_ + (lastRow_ - firstRow_ - height) / 2;
    blockTop = std::max(firstRow_, blockTop);
    auto place = [&](int row) {
        return Stack({&block}, area_.left, area_.right, row * kTileHeight, Horizontal(alignment));
    };
    auto free = [&](const PlacedBlock& placed) {
        return std::none_of(busy.begin(), busy.end(),
                            [&](const InkBox& b) { return ShareTile(b, placed.box); });
    };
    // This page's next slot, a new page, any slot of the page, then any
    // tile row of the screen, nearest the page first.
    std::vector<int> slots;
    if (slot_ + rows <= pageRows) slots.push_back(slot_);
    for (int s = 0; s + rows <= std::max(pageRows, rows); ++s) slots.push_back(s);
    for (const int slot : slots) {
        PlacedBlock placed = place(blockTop + slot * rowTiles_);
        if (!free(placed)) continue;
        slot_ = slot + rows;
        return placed;
    }
    std::vector<int> tops;
    for (int row = firstRow_; row + block.TileRows() <= lastRow_; ++row) tops.push_back(row);
    const int middle = blockTop + height / 2;
    std::stable_sort(tops.begin(), tops.end(),
                     [&](int a, int b) { return std::abs(a - middle) < std::abs(b - middle); });
    for (const int row : tops) {
        PlacedBlock placed = place(row);
        if (!free(placed)) continue;
        slot_ = pageRows;  // off the page's slots: the next line starts a page
        return placed;
    }
    // No room anywhere: the page's next place, shown when it is free.
    if (slot_ + rows > pageRows) slot_ = 0;
    PlacedBlock placed = place(blockTop + slot_ * rowTiles_);
    slot_ += rows;
    return placed;
}

PlacedBlock PageGrid::At(const FittedBlock& block, double x, double y, int alignment) const {
    int width = 0;
    for (const FittedRow& row : block.rows) width = std::max(width, row.ink.width() + 2);
    const int height = block.TileRows() * kTileHeight;
    const int h = Horizontal(alignment), v = Vertical(alignment);
    const int left = static_cast<int>(x) - (h == 0 ? 0 : h == 1 ? width / 2 : width);
    const int top = static_cast<int>(y) - (v == 2 ? 0 : v == 1 ? height / 2 : height);
    return Stack({&block}, left, left + width, top, h);
}

PlacedBlock PageGrid::Centred(const std::vector<FittedBlock>& blocks) const {
    std::vector<const FittedBlock*> pointers;
    int height = 0;
    for (const FittedBlock& block : blocks) {
        pointers.push_back(&block);
        height += block.TileRows() * kTileHeight;
    }
    const int top = (kSafeArea.top + kSafeArea.bottom - height) / 2 / kTileHeight * kTileHeight;
    return Stack(pointers, kSafeArea.left, kSafeArea.right, std::max(kSafeArea.top, top), 1);
}

}  // namespace orvane
