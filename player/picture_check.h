// Checks an image against the picture it was made from: what a player shows
// in the visible area after the last packet, against the picture in its
// colours at 4 bits per component.
#pragma once

#include <cstdint>

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

}  // namespace orvane
