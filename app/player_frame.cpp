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

}  // namespace

void ScaleNearest(const std::uint8_t* rgb, int width, int height, int factor, std::uint8_t* out) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * factor * 3;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = out + static_cast<std::size_t>(y) * factor * rowBytes;
        std::uint8_t* at = row;
        for (int x = 0; x < width; ++x, rgb += 3) {
            for (int k = 0; k < factor; ++k, at += 3) std::memcpy(at, rgb, 3);
        }
        for (int k = 1; k < factor; ++k) std::memcpy(row + k * rowBytes, row, rowBytes);
    }
}

bool SliderMoves(int shown, int now, int total, int pixels, bool playing) {
    if (shown == now) return false;
    if (!playing || pixels <= 0) return true;
    const long long distance = std::llabs(static_cast<long long>(now) - shown);
    return distance * pixels >= total;
}

int ScreenFactor(int displayWidth, int displayHeight) {
    const int across = (displayWidth - kControlsWidth) / kCdgWidth;
    const int down = (displayHeight - kControlsHeight) / kCdgHeight;
    return std::clamp(std::min(across, down), 1, kDefaultScreenFactor);
}

}  // namespace orvane
