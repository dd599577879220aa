#include "player/picture_check.h"

#include <fcntl.h>
#include <unistd.h>

#include "input/bitmap_reader.h"
#include "input/input_file.h"
#include "player/screen_render.h"

namespace orvane {

namespace {

// The window opens pictures for writing too; a check only reads, so a
// read-only picture (one on a CD, say) can be checked.
BitmapOutcome ReadPictureOnly(const std::string& path, Picture& picture) {
    const OpenedInput input = OpenInputFile(path, O_RDONLY);
    if (!input) {
        BitmapOutcome failed;
        failed.boxText = failed.logLine = input.error;
        return failed;
    }
    BitmapOutcome outcome = ReadBitmapFrom(input.fd, input.size, path, picture);
    close(input.fd);
    return outcome;
}

}  // namespace

PictureCheck CheckPicture(const CdgPlayer& player, const Picture& picture) {
    PictureCheck check;
    check.anyTile = player.pictureCompleteSectors() > 0;
    check.completeSeconds = static_cast<double>(player.pictureCompleteSectors()) / 75.0;
    const CdgScreen& screen = player.FinalScreen();
    for (int y = 0; y < kCdgVisibleHeight; ++y) {
        const std::uint8_t* shown = ShownRow(screen, y + kCdgVisibleTop) + kCdgVisibleLeft;
        for (int x = 0; x < kCdgVisibleWidth; ++x) {
            const PaletteEntry& e = picture.palette[PixelAt(picture, x, y)];
            const unsigned want = ((e.red >> 4) << 8) | ((e.green >> 4) << 4) | (e.blue >> 4);
            check.differingPixels += want != screen.colours[shown[x] & 15] ? 1 : 0;
        }
    }
    return check;
}

ImageCheck CheckImageFile(const std::string& imagePath, const std::string& picturePath) {
    ImageCheck check;
    Picture picture{};
    const BitmapOutcome bitmap = ReadPictureOnly(picturePath, picture);
    if (bitmap.status != BitmapStatus::Accepted) {
        check.status = CheckStatus::PictureFailed;
        // The box's two lines as one.
        check.message = bitmap.boxText.empty() ? bitmap.logLine : bitmap.boxText;
        for (std::size_t at; (at = check.message.find("\r\n")) != std::string::npos;) {
            check.message.replace(at, 2, " ");
        }
        return check;
    }
    CdgPlayer player;
    if (PlayerError e = player.Open(imagePath)) {
        check.status = CheckStatus::ImageFailed;
        check.message = e.message;
        return check;
    }
    check.ignoredBytes = player.ignoredBytes();
    check.result = CheckPicture(player, picture);
    return check;
}

}  // namespace orvane
