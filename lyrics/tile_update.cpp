#include "lyrics/tile_update.h"

namespace orvane {
namespace {

// The values of a tile written as base ^ (a subset of the basis). The basis
// is kept reduced: bit pivot[i] is set in basis[i] and in no other vector,
// so a value's subset can be read straight off those bits.
struct AffineSplit {
    std::uint8_t base = 0;
    int rank = 0;
    std::array<std::uint8_t, 4> basis{};
    std::array<int, 4> pivot{};

    void Add(std::uint8_t value) {
        unsigned x = static_cast<unsigned>(value ^ base);
        for (int i = 0; i < rank; ++i) {
            if ((x >> pivot[i]) & 1u) x ^= basis[i];
        }
        if (x == 0) return;
        int p = 3;
        while (((x >> p) & 1u) == 0) --p;
        for (int i = 0; i < rank; ++i) {
            if ((basis[i] >> p) & 1u) basis[i] = static_cast<std::uint8_t>(basis[i] ^ x);
        }
        basis[rank] = static_cast<std::uint8_t>(x);
        pivot[rank] = p;
        ++rank;
    }

    // Bit i set when basis[i] is part of `value`.
    unsigned Subset(std::uint8_t value) const {
        const unsigned x = static_cast<unsigned>(value ^ base);
        unsigned subset = 0;
        for (int i = 0; i < rank; ++i) subset |= ((x >> pivot[i]) & 1u) << i;
        return subset;
    }

    int Packets() const { return rank > 0 ? rank : 1; }
};

AffineSplit Split(const TilePixels& values) {
    unsigned seen = 0;
    for (std::uint8_t v : values) seen |= 1u << (v & 15u);
    AffineSplit split;
    // With 0 as the base, the XOR plan's first packet leaves the pixels that
    // need nothing alone, as every other packet does.
    split.base = (seen & 1u) ? 0 : static_cast<std::uint8_t>(values[0] & 15u);
    for (unsigned v = 0; v < 16; ++v) {
        if ((seen >> v) & 1u) split.Add(static_cast<std::uint8_t>(v));
    }
    return split;
}

void Write(int tile, const TilePixels& values, const AffineSplit& split, bool paintFirst,
           TileUpdate& out) {
    out.count = split.Packets();
    for (int i = 0; i < out.count; ++i) {
        SubcodePacket& packet = out.packets[static_cast<std::size_t>(i)];
        packet = SubcodePacket{};
        packet.command = CDG_COMMAND;
        packet.instruction = (i == 0 && paintFirst) ? CDG_TILE_NORMAL : CDG_TILE_XOR;
        const std::uint8_t colour0 = (i == 0) ? split.base : 0;
        const std::uint8_t flip = (i < split.rank) ? split.basis[static_cast<std::size_t>(i)] : 0;
        packet.data[0] = colour0;
        packet.data[1] = static_cast<std::uint8_t>(colour0 ^ flip);
        // Player tile row 0 and column 0 are the border: the screen starts at 1.
        packet.data[2] = static_cast<std::uint8_t>(tile / 48 + 1);
        packet.data[3] = static_cast<std::uint8_t>(tile % 48 + 1);
        for (int row = 0; row < 12; ++row) {
            unsigned bits = 0;
            for (int k = 0; k < 6; ++k) {
                const unsigned subset = split.Subset(values[static_cast<std::size_t>(row * 6 + k)]);
                bits |= ((subset >> i) & 1u) << (5 - k);
            }
            packet.data[4 + static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(bits);
        }
    }
}

}  // namespace

TileUpdate PlanTileUpdate(int tile, const TilePixels& shown, const TilePixels& wanted) {
    TileUpdate update;
    TilePixels difference;
    bool same = true;
    for (std::size_t i = 0; i < difference.size(); ++i) {
        difference[i] = static_cast<std::uint8_t>((shown[i] ^ wanted[i]) & 15u);
        same = same && difference[i] == 0;
    }
    if (same) return update;
    const AffineSplit paint = Split(wanted);
    const AffineSplit flip = Split(difference);
    if (paint.Packets() <= flip.Packets()) {
        Write(tile, wanted, paint, true, update);
    } else {
        Write(tile, difference, flip, false, update);
    }
    return update;
}

}  // namespace orvane
