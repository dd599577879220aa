// The decoder where ffmpeg 5.1 is wrong or silent, against screens worked
// out by hand: offsets, a scroll that moves nothing, presets with extra bytes,
// copy scrolls both ways, tiles outside the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "cdg_stream.h"

namespace orvane::test {
namespace {

constexpr std::array<std::uint8_t, 12> kSolid = {63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63};

std::uint8_t At(const CdgScreen& s, int x, int y) {
    return s.memory[static_cast<std::size_t>(y) * kCdgWidth + x];
}

// Tile (1, 1) solid 1, tile (17, 49) in the border's corner solid 2, a
// pattern in tile (5, 10); the rest 0.
CdgScreen Base() {
    CdgDecoder d;
    d.ApplyPacket(Tile(1, 1, 0, 1, kSolid).data());
    d.ApplyPacket(Tile(17, 49, 0, 2, kSolid).data());
    d.ApplyPacket(Tile(5, 10, 3, 4, {1, 2, 4, 8, 16, 32, 3, 5, 9, 17, 33, 62}).data());
    return d.screen();
}

struct HandCase {
    const char* name;
    std::vector<Packet> packets;
    std::function<void(const CdgScreen& before, const CdgScreen& after)> expect;
};

void SameMemory(const CdgScreen& before, const CdgScreen& after) {
    EXPECT_TRUE(before.memory == after.memory);
}

std::vector<HandCase> Cases() {
    return {
        {"offsets move the visible window, not the memory",
         {Scroll(false, 7, 0, 3, 0, 5)},
         [](const CdgScreen& before, const CdgScreen& after) {
             SameMemory(before, after);
             EXPECT_EQ(after.horizontalOffset, 3);
             EXPECT_EQ(after.verticalOffset, 5);
             EXPECT_EQ(ShownIndex(after, 6, 12), 1);     // memory (9, 17), tile (1, 1)
             EXPECT_EQ(ShownIndex(after, 9, 12), 0);     // memory (12, 17), tile (1, 2)
             EXPECT_EQ(ShownIndex(after, 11, 20), 0);    // memory (14, 25), tile (2, 2)
             EXPECT_EQ(ShownIndex(after, 293, 203), 2);  // memory (296, 208), the corner
             EXPECT_EQ(ShownIndex(after, 290, 198), 0);  // memory (293, 203)
             EXPECT_EQ(ShownIndex(after, 296, 210), 2);  // border: unshifted
             EXPECT_EQ(ShownIndex(after, 5, 20), 0);
         }},
        {"offsets beyond the border are cut to 5 and 11",
         {Scroll(true, 0, 0, 7, 0, 15)},
         [](const CdgScreen& before, const CdgScreen& after) {
             SameMemory(before, after);
             EXPECT_EQ(after.horizontalOffset, 5);
             EXPECT_EQ(after.verticalOffset, 11);
             EXPECT_EQ(ShownIndex(after, 293, 203), 2);  // memory (298, 214)
         }},
        {"a scroll that moves nothing leaves the screen",
         {Scroll(false, 7, 0, 0, 0, 0), Scroll(true, 7, 3, 0, 3, 0)},
         [](const CdgScreen& before, const CdgScreen& after) { EXPECT_EQ(before, after); }},
        {"a scroll by a tile keeps the offset given with it",
         {Scroll(false, 7, 1, 2, 0, 0)},
         [](const CdgScreen&, const CdgScreen& after) {
             EXPECT_EQ(At(after, 12, 12), 1);  // tile (1, 1) now at (1, 2)
             EXPECT_EQ(At(after, 6, 12), 0);
             EXPECT_EQ(At(after, 0, 100), 7);  // the strip uncovered
             EXPECT_EQ(At(after, 5, 215), 7);
             EXPECT_EQ(ShownIndex(after, 10, 12), 1);  // memory (12, 12)
             EXPECT_EQ(ShownIndex(after, 9, 12), 0);
         }},
        {"a copy scroll both ways wraps the corner round",
         {Scroll(true, 7, 1, 0, 1, 0)},
         [](const CdgScreen&, const CdgScreen& after) {
             EXPECT_EQ(At(after, 0, 0), 2);  // tile (17, 49) now at (0, 0)
             EXPECT_EQ(At(after, 5, 11), 2);
             EXPECT_EQ(At(after, 12, 24), 1);  // tile (1, 1) now at (2, 2)
             EXPECT_EQ(At(after, 11, 24), 0);
             CdgDecoder twice;
             twice.SetScreen(Base());
             twice.ApplyPacket(Scroll(true, 7, 1, 0, 0, 0).data());
             twice.ApplyPacket(Scroll(true, 7, 0, 0, 1, 0).data());
             EXPECT_EQ(twice.screen(), after);
         }},
        {"tiles go to the last column and row while an offset is set",
         {Scroll(false, 0, 0, 2, 0, 4), Tile(17, 49, 9, 9, kSolid), Tile(0, 0, 8, 8, kSolid)},
         [](const CdgScreen&, const CdgScreen& after) {
             EXPECT_EQ(At(after, 294, 204), 9);
             EXPECT_EQ(At(after, 299, 215), 9);
             EXPECT_EQ(At(after, 0, 0), 8);
         }},
        {"a memory preset with a repeat count still fills",
         {Preset(4, 3)},
         [](const CdgScreen&, const CdgScreen& after) {
             EXPECT_EQ(std::count(after.memory.begin(), after.memory.end(), 4), kCdgPixels);
         }},
        {"a border preset with a second data byte still colours the border",
         {Graphics(kCdgBorderPreset, {6, 9})},
         [](const CdgScreen& before, const CdgScreen& after) {
             EXPECT_EQ(std::count(after.memory.begin(), after.memory.end(), 6),
                       kCdgPixels - 288 * 192);
             EXPECT_EQ(At(after, 6, 12), At(before, 6, 12));
             EXPECT_EQ(At(after, 296, 210), 6);
         }},
        {"tiles outside the grid and unknown instructions are skipped",
         {Tile(18, 0, 5, 5, kSolid), Tile(0, 50, 5, 5, kSolid), Graphics(0, {5}),
          Graphics(63, {5, 5, 5})},
         [](const CdgScreen& before, const CdgScreen& after) { EXPECT_EQ(before, after); }},
        {"define transparent only records the colour",
         {Graphics(kCdgDefineTransparent, {0x24})},
         [](const CdgScreen& before, const CdgScreen& after) {
             SameMemory(before, after);
             EXPECT_EQ(after.transparent, 4);
             EXPECT_EQ(RenderRgb(before), RenderRgb(after));
         }},
    };
}

TEST(Decoder, ScreensWorkedOutByHand) {
    for (const HandCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        CdgDecoder d;
        d.SetScreen(Base());
        for (const Packet& p : c.packets) d.ApplyPacket(p.data());
        c.expect(Base(), d.screen());
        // Rendering shows what ShownIndex says, offsets and all.
        CdgScreen coloured = d.screen();
        for (int k = 0; k < 16; ++k) coloured.colours[k] = static_cast<std::uint16_t>(k * 0x111);
        const RgbScreen rgb = RenderRgb(coloured);
        for (int y = 0; y < kCdgHeight; ++y) {
            for (int x = 0; x < kCdgWidth; ++x) {
                ASSERT_EQ(rgb[(y * kCdgWidth + x) * 3], ShownIndex(coloured, x, y) * 17)
                    << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace orvane::test
