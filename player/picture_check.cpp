#include "player/picture_check.h"

#include "player/screen_render.h"

namespace orvane {

PictureCheck CheckPicture(const CdgPlayer& player, const Picture& picture) {
    PictureCheck check;
    check.anyTile = player.pictureCompleteSectors() > 0;
    check.completeSeconds = static_cast<double>(player.pictureCompleteSectors()) / 75.0;
    const CdgScreen& screen = player.FinalScreen();
    for (int y = 0; y < kCdgVisibleHeight; ++y) {
        for (int x = 0; x < kCdgVisibleWidth; ++x) {
            const PaletteEntry& e = picture.palette[PixelAt(picture, x, y)];
            const unsigned want = ((e.red >> 4) << 8) | ((e.green >> 4) << 4) | (e.blue >> 4);
            const unsigned shown =
                screen.colours[ShownIndex(screen, x + kCdgVisibleLeft, y + kCdgVisibleTop)];
            check.differingPixels += want != shown ? 1 : 0;
        }
    }
    return check;
}

}  // namespace orvane
