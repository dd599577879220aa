#include "lyrics/show_times.h"

#include <algorithm>

#include "lyrics/page_layout.h"

namespace orvane {

bool ShareTile(const InkBox& a, const InkBox& b) {
    if (a.empty() || b.empty()) return false;
    auto cols = [](const InkBox& x) {
        return std::pair{x.left / kTileWidth, (x.right - 1) / kTileWidth};
    };
    auto rows = [](const InkBox& x) {
        return std::pair{x.top / kTileHeight, (x.bottom - 1) / kTileHeight};
    };
    const auto [ac0, ac1] = cols(a);
    const auto [bc0, bc1] = cols(b);
    const auto [ar0, ar1] = rows(a);
    const auto [br0, br1] = rows(b);
    return ac0 <= bc1 && bc0 <= ac1 && ar0 <= br1 && br0 <= ar1;
}

std::int64_t ShowTimes::FreeFrom(const InkBox& box, std::int64_t appearMs) const {
    for (bool moved = true; moved;) {
        moved = false;
        for (const ShowTime& other : shown_) {
            if (!ShareTile(box, other.box) || other.clearMs <= appearMs || other.yields) continue;
            const std::int64_t free = std::max(other.doneMs, other.appearMs + 1);
            if (free > appearMs) {
                appearMs = free;
                moved = true;
            }
        }
    }
    return appearMs;
}

void ShowTimes::TakePlace(const InkBox& box, std::int64_t appearMs) {
    for (ShowTime& other : shown_)
        if (ShareTile(box, other.box) && other.clearMs > appearMs)
            other.clearMs = std::max(other.appearMs, appearMs);
}

std::size_t ShowTimes::Add(const InkBox& box, std::int64_t appearMs, std::int64_t clearMs,
                           std::int64_t doneMs, bool yields) {
    appearMs = FreeFrom(box, appearMs);
    TakePlace(box, appearMs);
    shown_.push_back({box, appearMs, std::max(clearMs, appearMs), doneMs, yields});
    return shown_.size() - 1;
}

bool ShowTimes::AddIfFree(const InkBox& box, std::int64_t appearMs, std::int64_t clearMs,
                          std::int64_t doneMs) {
    if (FreeFrom(box, appearMs) != appearMs) return false;
    Add(box, appearMs, clearMs, doneMs);
    return true;
}

}  // namespace orvane
