// The fewest packets that turn what one tile of the screen shows into what
// it must show. A tile packet paints every pixel in one of two colours
// whatever was there; an XOR tile packet flips each pixel by one of two
// values. A wipe over a line changes few pixels in few ways, so XOR packets
// from the shown content are often cheaper than painting the tile anew.
#pragma once

#include <array>
#include <cstdint>

#include "encoder/subcode.h"
#include "lyrics/screen_timeline.h"

namespace orvane {

using TilePixels = std::array<std::uint8_t, kTilePixels>;  // colour indices, row-major

inline constexpr int kMaxTileUpdatePackets = 4;

struct TileUpdate {
    int count = 0;  // 0 when the tile shows `wanted` already
    std::array<SubcodePacket, kMaxTileUpdatePackets> packets{};
};

// `tile` is row * 48 + column of the visible area (0 .. 767). Chooses the
// cheaper of two plans, a tile packet first on a tie (it does not depend on
// what the screen holds): XOR packets over the difference, or a tile packet
// and XOR packets over `wanted` itself. Each plan needs as many packets as
// the dimension of the smallest affine space of 4-bit values holding the
// values it must produce (at least one, at most four).
TileUpdate PlanTileUpdate(int tile, const TilePixels& shown, const TilePixels& wanted);

}  // namespace orvane
