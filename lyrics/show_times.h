// When each thing is on screen. Two things never share a tile at once: a
// newcomer clears what is there when that is done (a sung line, a title),
// and waits while it is still needed (a line being sung).
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "lyrics/ass_raster.h"

namespace orvane {

inline constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max() / 4;

struct ShowTime {
    InkBox box;
    std::int64_t appearMs = 0, clearMs = kNever, doneMs = 0;
    bool yields = false;  // may go whenever its place is wanted (a title)
};

class ShowTimes {
  public:
    // Adds one thing wanted from `appearMs`; it shows from then or from when
    // its place is free. Returns its index.
    std::size_t Add(const InkBox& box, std::int64_t appearMs, std::int64_t clearMs,
                    std::int64_t doneMs, bool yields = false);
    // Adds it only when it can show from exactly `appearMs`.
    bool AddIfFree(const InkBox& box, std::int64_t appearMs, std::int64_t clearMs,
                   std::int64_t doneMs);
    ShowTime& operator[](std::size_t i) { return shown_[i]; }
    std::size_t size() const { return shown_.size(); }

  private:
    // The first time from `appearMs` at which the place is free.
    std::int64_t FreeFrom(const InkBox& box, std::int64_t appearMs) const;
    void TakePlace(const InkBox& box, std::int64_t appearMs);

    std::vector<ShowTime> shown_;
};

// True when the two boxes have a tile in common.
bool ShareTile(const InkBox& a, const InkBox& b);

}  // namespace orvane
