#include "player/screen_render.h"

#include <cstring>

namespace orvane {

std::uint8_t ShownIndex(const CdgScreen& screen, int x, int y) {
    const bool visible = x >= kCdgVisibleLeft && x < kCdgVisibleLeft + kCdgVisibleWidth &&
                         y >= kCdgVisibleTop && y < kCdgVisibleTop + kCdgVisibleHeight;
    if (visible) {
        x += screen.horizontalOffset;
        y += screen.verticalOffset;
    }
    return screen.memory[static_cast<std::size_t>(y) * kCdgWidth + static_cast<std::size_t>(x)];
}

const std::uint8_t* ShownRow(const CdgScreen& screen, int y) {
    const std::size_t row = static_cast<std::size_t>(y + screen.verticalOffset) * kCdgWidth;
    return &screen.memory[row + screen.horizontalOffset];
}

void RenderRgb(const CdgScreen& screen, std::uint8_t* rgb) {
    std::uint8_t table[16][3];
    for (int k = 0; k < 16; ++k) {
        const unsigned c = screen.colours[k];
        table[k][0] = Expand4(c >> 8);
        table[k][1] = Expand4(c >> 4);
        table[k][2] = Expand4(c);
    }
    // A row at a time: the border from the memory as it is, the visible part
    // through the offsets. Drawn on every frame while playing.
    const auto put = [&](const std::uint8_t* from, int x0, int x1) {
        for (int x = x0; x < x1; ++x, rgb += 3) std::memcpy(rgb, table[from[x] & 15], 3);
    };
    constexpr int kRight = kCdgVisibleLeft + kCdgVisibleWidth;
    for (int y = 0; y < kCdgHeight; ++y) {
        const std::uint8_t* plain = &screen.memory[static_cast<std::size_t>(y) * kCdgWidth];
        const bool band = y >= kCdgVisibleTop && y < kCdgVisibleTop + kCdgVisibleHeight;
        put(plain, 0, kCdgVisibleLeft);
        put(band ? ShownRow(screen, y) : plain, kCdgVisibleLeft, kRight);
        put(plain, kRight, kCdgWidth);
    }
}

RgbScreen RenderRgb(const CdgScreen& screen) {
    RgbScreen rgb;
    RenderRgb(screen, rgb.data());
    return rgb;
}

}  // namespace orvane
