// Turns one 6 x 12 tile of the picture into eight CD+G packets: one normal
// tile that sets the top bit of each colour index, seven XOR tiles that add
// the low three bits, so the result is right whatever the screen showed.
#pragma once

#include <array>

#include "encoder/picture.h"
#include "encoder/subcode.h"

namespace orvane {

inline constexpr int kTileColumns = 48;
inline constexpr int kTileRows = 16;
inline constexpr int kTileCount = kTileColumns * kTileRows;  // 768
inline constexpr int kTileWidth = 6;
inline constexpr int kTileHeight = 12;

// Packets 0..7 of one tile. Packets 0..3 and 4..7 each lie as one
// SubcodeBlock in memory, so the job can write a half straight from here.
using TilePackets = std::array<SubcodePacket, 8>;
static_assert(sizeof(TilePackets) == 2 * sizeof(SubcodeBlock));

// t in 0..767. Overwrites every byte of `out`.
void EncodeTile(const Picture& picture, int t, TilePackets& out);

}  // namespace orvane
