// Checks an image against the picture it was made from: what a player shows
// in the visible area after the last packet, against the picture in its
// colours at 4 bits per component.
#pragma once

#include <cstdint>
#include <string>

#include "encoder/picture.h"
#include "player/cdg_player.h"

namespace orvane {

struct PictureCheck {
    // End of the sector whose packets draw the last tile, in seconds ("Picture
    // complete at 20.49 s"); 0 when no tile is drawn.
    double completeSeconds = 0;
    bool anyTile = false;
    std::uint64_t differingPixels = 0;  // of 288 x 192
};

PictureCheck CheckPicture(const CdgPlayer& player, const Picture& picture);

enum class CheckStatus { Checked, ImageFailed, PictureFailed };

struct ImageCheck {
    CheckStatus status = CheckStatus::Checked;
    std::string message;  // why a file could not be used
    PictureCheck result;
    std::uint64_t ignoredBytes = 0;  // of the image
};

// Opens both files (the picture as the window takes it: a 288 x 192, 4-bit
// BMP) and checks the image against the picture.
ImageCheck CheckImageFile(const std::string& imagePath, const std::string& picturePath);

}  // namespace orvane
