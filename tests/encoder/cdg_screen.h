// A test-side CD+G player: applies tile packets to a 300 x 216 screen the
// way a player does, so the encoder's output can be checked by its effect.
#pragma once

#include <array>
#include <cstdint>

#include "encoder/picture.h"
#include "encoder/subcode.h"

namespace orvane::test {

inline constexpr int kScreenWidth = 300;
inline constexpr int kScreenHeight = 216;

class CdgScreen {
  public:
    std::array<std::uint8_t, kScreenWidth * kScreenHeight> pixels{};
    std::array<PaletteEntry, 16> colours{};  // 4-bit components, as loaded

    std::uint8_t& At(int x, int y) { return pixels[y * kScreenWidth + x]; }

    void Apply(const SubcodePacket& p) {
        if ((p.command & 0x3F) != CDG_COMMAND) return;
        const int instruction = p.instruction & 0x3F;
        if (instruction == CDG_TILE_NORMAL || instruction == CDG_TILE_XOR) {
            ApplyTile(p, instruction == CDG_TILE_XOR);
        } else if (instruction == CDG_LOAD_COLORS_LOW || instruction == CDG_LOAD_COLORS_HIGH) {
            const int first = instruction == CDG_LOAD_COLORS_LOW ? 0 : 8;
            for (int k = 0; k < 8; ++k) {
                const int a = p.data[2 * k] & 0x3F, b = p.data[2 * k + 1] & 0x3F;
                colours[first + k] = {static_cast<std::uint8_t>(b & 15),
                                      static_cast<std::uint8_t>(((a & 3) << 2) | (b >> 4)),
                                      static_cast<std::uint8_t>(a >> 2), 0};
            }
        }
    }

    void Apply(const SubcodeBlock& block) {
        for (const SubcodePacket& p : block.packets) Apply(p);
    }

  private:
    void ApplyTile(const SubcodePacket& p, bool exclusiveOr) {
        const int colour0 = p.data[0] & 15, colour1 = p.data[1] & 15;
        const int row = p.data[2] & 31, column = p.data[3] & 63;
        if (row * 12 + 12 > kScreenHeight || column * 6 + 6 > kScreenWidth) return;
        for (int j = 0; j < 12; ++j) {
            for (int k = 0; k < 6; ++k) {
                const int colour = ((p.data[4 + j] >> (5 - k)) & 1) ? colour1 : colour0;
                std::uint8_t& px = At(column * 6 + k, row * 12 + j);
                px = static_cast<std::uint8_t>(exclusiveOr ? (px ^ colour) : colour);
            }
        }
    }
};

}  // namespace orvane::test
