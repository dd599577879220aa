// The states each tile goes through, as the packet scheduler needs them. A
// word's wipe across a tile is one state, due when the wipe leaves the tile
// (a tile is 6 pixels wide: no step wider than that), so it costs one packet
// per tile instead of one per pixel column; any other change is a state of
// its own.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lyrics/screen_timeline.h"

namespace orvane {

inline constexpr int kTileColumns = 48, kTileRows = 16, kTiles = kTileColumns * kTileRows;
using TilePixels = std::array<std::uint8_t, kTilePixels>;

class TileHistory {
  public:
    // Every tile starts as the picture shows it.
    TileHistory(const std::array<TilePixels, kTiles>& picture, std::vector<TileState>& out);

    const TilePixels& Current(int tile) const { return tiles_[tile].current; }
    std::int64_t LastDeadline(int tile) const { return tiles_[tile].deadline; }
    std::int64_t LastRelease(int tile) const { return tiles_[tile].release; }

    // The wipe of `word` shows `pixels` from `sector` on.
    void Wipe(int tile, std::int64_t sector, int word, const TilePixels& pixels);
    // Anything else: may be drawn from `release` on without loss.
    void Change(int tile, std::int64_t sector, std::int64_t release, const TilePixels& pixels);
    // Hands over the wipes still gathering.
    void Finish();

  private:
    struct Tile {
        TilePixels current{};
        std::int64_t deadline = 0, release = 0;  // of the last state handed over
        bool gathering = false;                  // a wipe not yet handed over
        int word = -1;
        std::int64_t since = 0, last = 0;  // first and latest sector of that wipe
    };
    void Emit(int tile, std::int64_t deadline, std::int64_t release, int word);
    void Flush(int tile);

    std::array<Tile, kTiles> tiles_;
    std::vector<TileState>& out_;
};

}  // namespace orvane
