#include "encoder/subcode.h"

namespace orvane {

ColorPair PackColor(const PaletteEntry& entry) {
    // Players keep 4 bits per component: the low four bits are dropped, and
    // the 12 bits are spread over two 6-bit subcode symbols.
    const unsigned r4 = entry.red >> 4;
    const unsigned g4 = entry.green >> 4;
    const unsigned b4 = entry.blue >> 4;
    return {static_cast<std::uint8_t>((r4 << 2) | (g4 >> 2)),
            static_cast<std::uint8_t>(((g4 & 3u) << 4) | b4)};
}

void EncodeColorTable(const Palette& palette, SubcodeBlock& block) {
    block = SubcodeBlock{};
    SubcodePacket& low = block.packets[0];
    SubcodePacket& high = block.packets[1];
    low.command = CDG_COMMAND;
    low.instruction = CDG_LOAD_COLORS_LOW;
    high.command = CDG_COMMAND;
    high.instruction = CDG_LOAD_COLORS_HIGH;
    for (std::size_t k = 0; k < kPaletteEntries; ++k) {
        const ColorPair pair = PackColor(palette[k]);
        SubcodePacket& packet = (k < 8) ? low : high;
        const std::size_t at = 2 * (k % 8);
        packet.data[at] = pair.first;
        packet.data[at + 1] = pair.second;
    }
}

}  // namespace orvane
