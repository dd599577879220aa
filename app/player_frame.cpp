#include "app/player_frame.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "player/cdg_decoder.h"

namespace orvane {

namespace {

// Room the window's frame, buttons and status line take around the screen.
constexpr int kControlsWidth = 40;
constexpr int kControlsHeight = 160;

constexpr std::size_t kRowBytes = std::size_t{kCdgWidth} * 3;
constexpr std::size_t kTileBytes = std::size_t{kCdgTileWidth} * 3;

}  // namespace

std::vector<TileRun> ChangedTiles(const std::uint8_t* before, const std::uint8_t* now) {
    std::vector<TileRun> runs;
    for (int row = 0; row < kCdgRows; ++row) {
        bool changed[kCdgColumns] = {};
        for (int y = row * kCdgTileHeight; y < (row + 1) * kCdgTileHeight; ++y) {
            const std::size_t line = static_cast<std::size_t>(y) * kRowBytes;
            if (std::memcmp(before + line, now + line, kRowBytes) == 0) continue;
            for (int column = 0; column < kCdgColumns; ++column) {
                const std::size_t at = line + column * kTileBytes;
                changed[column] = changed[column] || std::memcmp(before + at, now + at, kTileBytes);
            }
        }
        for (int column = 0; column < kCdgColumns; ++column) {
            if (!changed[column]) continue;
            if (!runs.empty() && runs.back().row == row &&
                runs.back().first + runs.back().count == column)
                ++runs.back().count;
            else
                runs.push_back({row, column, 1});
        }
    }
    return runs;
}

std::vector<TileRun> AllTiles() {
    std::vector<TileRun> runs;
    for (int row = 0; row < kCdgRows; ++row) runs.push_back({row, 0, kCdgColumns});
    return runs;
}

bool SliderMoves(int shown, int now, int total, int pixels, bool playing) {
    if (shown == now) return false;
    if (!playing || pixels <= 0) return true;
    const long long distance = std::llabs(static_cast<long long>(now) - shown);
    return distance * pixels >= total;
}

int LargestScreenFactor(int displayWidth, int displayHeight) {
    const int across = (displayWidth - kControlsWidth) / kCdgWidth;
    const int down = (displayHeight - kControlsHeight) / kCdgHeight;
    return std::max(1, std::min(across, down));
}

}  // namespace orvane
