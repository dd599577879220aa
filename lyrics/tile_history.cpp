#include "lyrics/tile_history.h"

#include <algorithm>

namespace orvane {

TileHistory::TileHistory(const std::array<TilePixels, kTiles>& picture, std::vector<TileState>& out)
    : out_(out) {
    for (int t = 0; t < kTiles; ++t) tiles_[t].current = picture[t];
}

void TileHistory::Emit(int tile, std::int64_t deadline, std::int64_t release, int word) {
    Tile& t = tiles_[tile];
    // States of one tile are drawn in order: none may start before the last.
    release = std::clamp(release, t.release, deadline);
    out_.push_back({deadline, release, tile, word, t.current});
    t.deadline = deadline;
    t.release = release;
}

void TileHistory::Flush(int tile) {
    Tile& t = tiles_[tile];
    if (!t.gathering) return;
    t.gathering = false;
    Emit(tile, t.last, t.since, t.word);
}

void TileHistory::Wipe(int tile, std::int64_t sector, int word, const TilePixels& pixels) {
    Tile& t = tiles_[tile];
    if (!t.gathering || t.word != word) {
        Flush(tile);
        t.gathering = true;
        t.word = word;
        t.since = sector;
    }
    t.last = sector;
    t.current = pixels;
}

void TileHistory::Change(int tile, std::int64_t sector, std::int64_t release,
                         const TilePixels& pixels) {
    Flush(tile);
    tiles_[tile].current = pixels;
    Emit(tile, sector, release, -1);
}

void TileHistory::Finish() {
    for (int t = 0; t < kTiles; ++t) Flush(t);
}

}  // namespace orvane
