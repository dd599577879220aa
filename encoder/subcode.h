// R-W subcode packets as a CD+G player reads them, and the colour table that
// follows the first audio sector of an image.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "encoder/picture.h"

namespace orvane {

inline constexpr std::uint8_t CDG_COMMAND = 9;
inline constexpr std::uint8_t CDG_TILE_NORMAL = 6;
inline constexpr std::uint8_t CDG_LOAD_COLORS_LOW = 30;
inline constexpr std::uint8_t CDG_LOAD_COLORS_HIGH = 31;
inline constexpr std::uint8_t CDG_TILE_XOR = 38;

inline constexpr std::size_t kAudioSectorBytes = 2352;
inline constexpr std::size_t kSubcodeBlockBytes = 96;
inline constexpr std::size_t kRawSectorBytes = kAudioSectorBytes + kSubcodeBlockBytes;  // 2,448

// 24 bytes; parity fields stay zero: the burner adds the real parity.
struct SubcodePacket {
    std::uint8_t command = 0;
    std::uint8_t instruction = 0;
    std::array<std::uint8_t, 2> parityQ{};
    std::array<std::uint8_t, 16> data{};
    std::array<std::uint8_t, 4> parityP{};
};
static_assert(sizeof(SubcodePacket) == 24);

// The four packets that follow one audio sector.
struct SubcodeBlock {
    std::array<SubcodePacket, 4> packets{};
};
static_assert(sizeof(SubcodeBlock) == kSubcodeBlockBytes);

// One sector of the output image.
struct RawSector {
    std::array<std::uint8_t, kAudioSectorBytes> audio{};
    SubcodeBlock subcode{};
};
static_assert(sizeof(RawSector) == kRawSectorBytes);

struct ColorPair {
    std::uint8_t first = 0;
    std::uint8_t second = 0;
};

// 4 bits per component, the low four bits dropped.
ColorPair PackColor(const PaletteEntry& entry);

// Fills `block` with the two colour-loading packets followed by two empty ones.
void EncodeColorTable(const Palette& palette, SubcodeBlock& block);

}  // namespace orvane
