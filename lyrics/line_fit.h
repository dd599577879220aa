// Fitting text to the screen's width: a line that is too wide is set a
// little smaller, or broken between words into rows balanced in width, and
// only then made smaller, never below the smallest readable size.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "lyrics/ass_raster.h"
#include "lyrics/ass_script.h"

namespace orvane {

// Text at this size (pixels from the font's ascender to its descender) shows
// capitals with descenders at least 12 pixels high, the least a singer reads
// from across a room.
inline constexpr double kMinTextSize = 16;
inline constexpr int kTileWidth = 6, kTileHeight = 12;

// Measures texts with libass in a large frame, so a line wider than the
// screen shows its whole width.
class TextMeasure {
  public:
    static std::unique_ptr<TextMeasure> Open(const AssLook& look, const std::string& fontFile,
                                             std::string& error);
    // Each text's ink relative to the point it is placed at (PlaceTags).
    std::vector<InkBox> Measure(const std::vector<std::string>& texts, double size,
                                int scaleX = 100);
    // The ink of the tallest and deepest letters at `size`: what a row of
    // text needs whatever its words.
    const InkBox& Reference(double size);

  private:
    TextMeasure() = default;
    AssLook look_;
    std::unique_ptr<AssRaster> raster_;
    std::map<double, InkBox> references_;
};

// Whole tile rows a row of text with this reference ink takes.
int RowTiles(const InkBox& reference);

struct FittedRow {
    std::size_t first = 0, last = 0;  // pieces [first, last)
    InkBox ink;                       // relative to its placing point
};

struct FittedBlock {
    double size = 0;
    int scaleX = 100;
    InkBox reference;             // TextMeasure::Reference(size)
    std::vector<FittedRow> rows;  // empty: the text does not fit
    int TileRows() const { return static_cast<int>(rows.size()) * RowTiles(reference); }
};

// `pieces`: ASS text of the words, each with the spaces after it; a row is
// a run of them. Rows are at most `maxWidth` wide and take at most
// `maxTileRows` tile rows together.
FittedBlock FitBlock(TextMeasure& measure, const std::vector<std::string>& pieces, double size,
                     int maxWidth, int maxTileRows);

}  // namespace orvane
