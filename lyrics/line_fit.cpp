#include "lyrics/line_fit.h"

#include <algorithm>
#include <cmath>

namespace orvane {
namespace {

constexpr int kMeasureWidth = 4096, kMeasureHeight = 1024, kAnchor = 64;
// A line this much smaller still looks like its neighbours; beyond it,
// breaking it into rows keeps it readable.
constexpr double kMildShrink = 0.8;
// Letters reaching highest and lowest: the height a row of text needs.
constexpr const char* kTallLetters = "Hgjpqy|";

std::string Join(const std::vector<std::string>& pieces, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i < last; ++i) text += pieces[i];
    return text;
}

// Row starts for widths estimated from the words alone: greedy, each row
// as full as `target` allows.
std::vector<std::size_t> Greedy(const std::vector<int>& widths, int gap, int target) {
    std::vector<std::size_t> starts{0};
    int used = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const int add = (i == starts.back() ? 0 : gap) + widths[i];
        if (i != starts.back() && used + add > target) {
            starts.push_back(i);
            used = widths[i];
        } else {
            used += add;
        }
    }
    return starts;
}

// The narrowest balanced break into as few rows as fit in `maxWidth`.
std::vector<std::size_t> BalancedStarts(const std::vector<int>& widths, int gap, int maxWidth) {
    const std::size_t rows = Greedy(widths, gap, maxWidth).size();
    int low = *std::max_element(widths.begin(), widths.end());
    int high = std::max(low, maxWidth);
    while (low < high) {
        const int mid = (low + high) / 2;
        if (Greedy(widths, gap, mid).size() <= rows)
            high = mid;
        else
            low = mid + 1;
    }
    return Greedy(widths, gap, low);
}

std::vector<FittedRow> MeasureRows(TextMeasure& measure, const std::vector<std::string>& pieces,
                                   const std::vector<std::size_t>& starts, double size,
                                   int scaleX) {
    std::vector<FittedRow> rows;
    std::vector<std::string> texts;
    for (std::size_t r = 0; r < starts.size(); ++r) {
        const std::size_t last = r + 1 < starts.size() ? starts[r + 1] : pieces.size();
        rows.push_back({starts[r], last, {}});
        texts.push_back(Join(pieces, starts[r], last));
    }
    const std::vector<InkBox> inks = measure.Measure(texts, size, scaleX);
    for (std::size_t r = 0; r < rows.size(); ++r) rows[r].ink = inks[r];
    return rows;
}

int Widest(const std::vector<FittedRow>& rows) {
    int widest = 0;
    for (const FittedRow& row : rows) widest = std::max(widest, row.ink.width());
    return widest;
}

// Smaller sizes, then narrower letters, until every row fits.
void Shrink(TextMeasure& measure, const std::vector<std::string>& pieces,
            const std::vector<std::size_t>& starts, int maxWidth, FittedBlock& block) {
    while (Widest(block.rows) > maxWidth && block.size > kMinTextSize) {
        const double scaled = std::floor(block.size * maxWidth / Widest(block.rows) * 2) / 2;
        block.size = std::max(kMinTextSize, std::min(block.size - 0.5, scaled));
        block.rows = MeasureRows(measure, pieces, starts, block.size, block.scaleX);
    }
    while (Widest(block.rows) > maxWidth && block.scaleX > 10) {
        const int scaled = block.scaleX * maxWidth / Widest(block.rows);
        block.scaleX = std::max(10, std::min(block.scaleX - 1, scaled));
        block.rows = MeasureRows(measure, pieces, starts, block.size, block.scaleX);
    }
}

FittedBlock FitAtSize(TextMeasure& measure, const std::vector<std::string>& pieces, double size,
                      int maxWidth) {
    FittedBlock block;
    block.size = size;
    std::vector<std::size_t> starts{0};
    block.rows = MeasureRows(measure, pieces, starts, size, 100);
    const int whole = Widest(block.rows);
    if (whole <= maxWidth) return block;
    const double mild = std::floor(size * maxWidth / whole * 2) / 2;
    if (mild >= std::max(kMinTextSize, size * kMildShrink)) {
        block.size = mild;
    } else {
        std::vector<int> widths;
        for (const InkBox& ink : measure.Measure(pieces, size)) widths.push_back(ink.width());
        int sum = 0;
        for (const int w : widths) sum += w;
        const int gap = pieces.size() > 1
                            ? std::max(0, (whole - sum) / static_cast<int>(pieces.size() - 1))
                            : 0;
        starts = BalancedStarts(widths, gap, maxWidth);
    }
    block.rows = MeasureRows(measure, pieces, starts, block.size, 100);
    Shrink(measure, pieces, starts, maxWidth, block);
    return block;
}

}  // namespace

int RowTiles(const InkBox& reference) {
    return std::max(1, (reference.height() + 2 + kTileHeight - 1) / kTileHeight);
}

const InkBox& TextMeasure::Reference(double size) {
    auto found = references_.find(size);
    if (found == references_.end())
        found = references_.emplace(size, Measure({kTallLetters}, size).front()).first;
    return found->second;
}

std::unique_ptr<TextMeasure> TextMeasure::Open(const AssLook& look, const std::string& fontFile,
                                               std::string& error) {
    std::unique_ptr<TextMeasure> measure(new TextMeasure);
    measure->look_ = look;
    measure->raster_ = AssRaster::Open(kMeasureWidth, kMeasureHeight, fontFile, error);
    if (!measure->raster_) return nullptr;
    return measure;
}

std::vector<InkBox> TextMeasure::Measure(const std::vector<std::string>& texts, double size,
                                         int scaleX) {
    std::vector<std::string> events;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto ms = static_cast<std::int64_t>(i) * 10;
        events.push_back(
            AssDialogue(ms, ms + 10, PlaceTags(kAnchor, kAnchor, size, scaleX) + texts[i]));
    }
    std::vector<InkBox> inks(texts.size());
    AssTrack track = raster_->Load(AssScript(look_, kMeasureWidth, kMeasureHeight, events));
    if (!track) return inks;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        InkBox ink = raster_->Ink(track.get(), static_cast<std::int64_t>(i) * 10);
        if (!ink.empty())
            ink = {ink.left - kAnchor, ink.top - kAnchor, ink.right - kAnchor,
                   ink.bottom - kAnchor};
        inks[i] = ink;
    }
    return inks;
}

FittedBlock FitBlock(TextMeasure& measure, const std::vector<std::string>& pieces, double size,
                     int maxWidth, int maxTileRows) {
    FittedBlock block;
    block.size = size;
    if (pieces.empty()) return block;
    // Too many rows: smaller text takes fewer.
    for (double tried = size;; tried = std::max(kMinTextSize, std::floor(tried * 0.85))) {
        block = FitAtSize(measure, pieces, tried, maxWidth);
        block.reference = measure.Reference(block.size);
        if (block.TileRows() <= maxTileRows) return block;
        if (tried <= kMinTextSize) break;
    }
    block.rows.clear();
    return block;
}

}  // namespace orvane
