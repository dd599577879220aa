#include "player/screen_render.h"

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

void RenderRgb(const CdgScreen& screen, std::uint8_t* rgb) {
    std::uint8_t table[16][3];
    for (int k = 0; k < 16; ++k) {
        const unsigned c = screen.colours[k];
        table[k][0] = Expand4(c >> 8);
        table[k][1] = Expand4(c >> 4);
        table[k][2] = Expand4(c);
    }
    for (int y = 0; y < kCdgHeight; ++y) {
        for (int x = 0; x < kCdgWidth; ++x) {
            const std::uint8_t* c = table[ShownIndex(screen, x, y)];
            rgb[0] = c[0];
            rgb[1] = c[1];
            rgb[2] = c[2];
            rgb += 3;
        }
    }
}

RgbScreen RenderRgb(const CdgScreen& screen) {
    RgbScreen rgb;
    RenderRgb(screen, rgb.data());
    return rgb;
}

}  // namespace orvane
