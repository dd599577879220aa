#include "encoder/tile_encoder.h"

namespace orvane {

namespace {

using TileColours = std::array<std::array<std::uint8_t, kTileWidth>, kTileHeight>;

// Colour indices of the tile's 72 pixels, top row first.
void ReadTile(const Picture& picture, int row, int column, TileColours& colours) {
    for (int j = 0; j < kTileHeight; ++j) {
        for (int k = 0; k < kTileWidth; ++k) {
            colours[j][k] = PixelAt(picture, column * kTileWidth + k, row * kTileHeight + j);
        }
    }
}

void StartPacket(SubcodePacket& packet, int i, int row, int column) {
    packet = SubcodePacket{};
    packet.command = CDG_COMMAND;
    packet.instruction = (i == 0) ? CDG_TILE_NORMAL : CDG_TILE_XOR;
    packet.data[0] = 0;
    packet.data[1] = static_cast<std::uint8_t>((i == 0) ? 8 : i);
    // Player tile row 0 and column 0 are the border: the picture starts at 1.
    packet.data[2] = static_cast<std::uint8_t>(row + 1);
    packet.data[3] = static_cast<std::uint8_t>(column + 1);
}

}  // namespace

void EncodeTile(const Picture& picture, int t, TilePackets& out) {
    if (t < 0 || t >= kTileCount) {
        out = TilePackets{};  // nothing to draw; never read past the store
        return;
    }
    const int row = t / kTileColumns;
    const int column = t % kTileColumns;
    TileColours source;
    ReadTile(picture, row, column, source);

    // What each pixel shows after the packets so far. The normal tile paints
    // the top bit whatever the screen held; each XOR tile i then adds the low
    // bits for the pixels whose colour is exactly runningColor + i.
    TileColours runningColor{};
    for (int i = 0; i < 8; ++i) {
        SubcodePacket& packet = out[static_cast<std::size_t>(i)];
        StartPacket(packet, i, row, column);
        for (int j = 0; j < kTileHeight; ++j) {
            unsigned bits = 0;
            for (int k = 0; k < kTileWidth; ++k) {
                const unsigned p = source[j][k];
                std::uint8_t& shown = runningColor[j][k];
                bool set;
                if (i == 0) {
                    set = p >= 8;
                    shown = set ? 8 : 0;
                } else {
                    set = p == static_cast<unsigned>(shown) + static_cast<unsigned>(i);
                    if (set) shown = static_cast<std::uint8_t>(shown ^ i);
                }
                bits |= static_cast<unsigned>(set) << (kTileWidth - 1 - k);
            }
            packet.data[4 + static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(bits);
        }
    }
}

}  // namespace orvane
