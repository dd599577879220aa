#include "player/cdg_decoder.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

// Packet layout: command, instruction, two parity bytes, 16 data bytes, four
// parity bytes. Every field is a 6-bit symbol; the top two bits are not data.
constexpr std::size_t kDataAt = 4;
constexpr std::uint8_t kSymbol = 0x3F;

// Scroll directions in the data bytes' bits 4-5.
constexpr int kScrollRight = 1, kScrollLeft = 2;
constexpr int kScrollDown = 1, kScrollUp = 2;

}  // namespace

bool CdgDecoder::ApplyPacket(const std::uint8_t* packet) {
    if ((packet[0] & kSymbol) != kCdgGraphicsCommand) return false;
    const std::uint8_t* data = packet + kDataAt;
    switch (packet[1] & kSymbol) {
        case kCdgMemoryPreset:
            // Presets come repeated so a player that missed one still clears;
            // filling again is harmless, so the repeat count is not looked at.
            Preset(data[0] & 15);
            break;
        case kCdgBorderPreset:
            Border(data[0] & 15);
            break;
        case kCdgTileBlock:
            Tile(data, false);
            break;
        case kCdgTileBlockXor:
            Tile(data, true);
            break;
        case kCdgScrollPreset:
            Scroll(data, false);
            break;
        case kCdgScrollCopy:
            Scroll(data, true);
            break;
        case kCdgDefineTransparent:
            screen_.transparent = data[0] & 15;
            break;
        case kCdgLoadColoursLow:
            LoadColours(data, 0);
            break;
        case kCdgLoadColoursHigh:
            LoadColours(data, 8);
            break;
        default:
            break;
    }
    return true;
}

int CdgDecoder::ApplySector(const std::uint8_t* subcode) {
    int graphics = 0;
    for (std::size_t k = 0; k < kCdgPacketsPerSector; ++k) {
        graphics += ApplyPacket(subcode + k * kCdgPacketBytes) ? 1 : 0;
    }
    return graphics;
}

bool CdgDecoder::DrawsTile(const std::uint8_t* packet) {
    if ((packet[0] & kSymbol) != kCdgGraphicsCommand) return false;
    const int instruction = packet[1] & kSymbol;
    if (instruction != kCdgTileBlock && instruction != kCdgTileBlockXor) return false;
    return (packet[kDataAt + 2] & 31) < kCdgRows && (packet[kDataAt + 3] & kSymbol) < kCdgColumns;
}

void CdgDecoder::Preset(std::uint8_t colour) {
    screen_.memory.fill(colour);
}

void CdgDecoder::Border(std::uint8_t colour) {
    auto& m = screen_.memory;
    const auto row = [&](int y) { return m.begin() + static_cast<std::ptrdiff_t>(y) * kCdgWidth; };
    for (int y = 0; y < kCdgHeight; ++y) {
        const bool inBorderRow = y < kCdgVisibleTop || y >= kCdgVisibleTop + kCdgVisibleHeight;
        if (inBorderRow) {
            std::fill(row(y), row(y) + kCdgWidth, colour);
        } else {
            std::fill(row(y), row(y) + kCdgVisibleLeft, colour);
            std::fill(row(y) + kCdgVisibleLeft + kCdgVisibleWidth, row(y) + kCdgWidth, colour);
        }
    }
}

void CdgDecoder::Tile(const std::uint8_t* data, bool exclusiveOr) {
    const int row = data[2] & 31, column = data[3] & kSymbol;
    if (row >= kCdgRows || column >= kCdgColumns) return;  // outside the memory
    const std::uint8_t colours[2] = {static_cast<std::uint8_t>(data[0] & 15),
                                     static_cast<std::uint8_t>(data[1] & 15)};
    for (int j = 0; j < kCdgTileHeight; ++j) {
        std::uint8_t* px =
            &screen_.memory[static_cast<std::size_t>(row * kCdgTileHeight + j) * kCdgWidth +
                            static_cast<std::size_t>(column * kCdgTileWidth)];
        const int bits = data[4 + j];
        for (int k = 0; k < kCdgTileWidth; ++k) {
            const std::uint8_t colour = colours[(bits >> (5 - k)) & 1];
            px[k] = exclusiveOr ? static_cast<std::uint8_t>(px[k] ^ colour) : colour;
        }
    }
}

void CdgDecoder::Scroll(const std::uint8_t* data, bool copy) {
    const std::uint8_t colour = data[0] & 15;
    const int across = (data[1] >> 4) & 3, down = (data[2] >> 4) & 3;
    // Offsets beyond the border would show pixels outside the memory.
    screen_.horizontalOffset = static_cast<std::uint8_t>(std::min(data[1] & 7, kCdgTileWidth - 1));
    screen_.verticalOffset = static_cast<std::uint8_t>(std::min(data[2] & 15, kCdgTileHeight - 1));
    const int dx = across == kScrollRight  ? kCdgTileWidth
                   : across == kScrollLeft ? -kCdgTileWidth
                                           : 0;
    const int dy = down == kScrollDown ? kCdgTileHeight : down == kScrollUp ? -kCdgTileHeight : 0;
    if (dx == 0 && dy == 0) return;
    // The whole memory moves; what comes in is the colour, or what went out.
    const auto old = screen_.memory;
    const std::size_t width = kCdgWidth, shift = static_cast<std::size_t>(dx < 0 ? -dx : dx);
    for (int y = 0; y < kCdgHeight; ++y) {
        std::uint8_t* to = &screen_.memory[static_cast<std::size_t>(y) * width];
        int fromY = y - dy;
        if (fromY < 0 || fromY >= kCdgHeight) {
            if (!copy) {
                std::memset(to, colour, width);
                continue;
            }
            fromY = (fromY + kCdgHeight) % kCdgHeight;
        }
        const std::uint8_t* from = &old[static_cast<std::size_t>(fromY) * width];
        if (dx > 0) {  // right: the strip comes in at the left
            std::memcpy(to + shift, from, width - shift);
            copy ? std::memcpy(to, from + width - shift, shift) : std::memset(to, colour, shift);
        } else if (dx < 0) {
            std::memcpy(to, from + shift, width - shift);
            copy ? std::memcpy(to + width - shift, from, shift)
                 : std::memset(to + width - shift, colour, shift);
        } else {
            std::memcpy(to, from, width);
        }
    }
}

void CdgDecoder::LoadColours(const std::uint8_t* data, int first) {
    // Two symbols per entry: RRRRGG, GGBBBB.
    for (int k = 0; k < 8; ++k) {
        const unsigned a = data[2 * k] & kSymbol, b = data[2 * k + 1] & kSymbol;
        const unsigned red = a >> 2, green = ((a & 3) << 2) | (b >> 4), blue = b & 15;
        screen_.colours[first + k] = static_cast<std::uint16_t>((red << 8) | (green << 4) | blue);
    }
}

}  // namespace orvane
