// Colour table, tile packets and image sizes, byte for byte and by effect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "encoder/image_size.h"
#include "encoder/subcode.h"
#include "encoder/tile_encoder.h"
#include "player/cdg_decoder.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

using test::Bytes;

template <typename T>
Bytes BytesOf(const T& value) {
    Bytes b(sizeof(T));
    std::memcpy(b.data(), &value, sizeof(T));
    return b;
}

Bytes Hex(std::initializer_list<int> values) {
    return Bytes(values.begin(), values.end());
}

TEST(ColorTable, CommonPaletteGivesTheKnownBlock) {
    SubcodeBlock block;
    std::memset(static_cast<void*>(&block), 0xAA,
                sizeof block);  // the encoder must clear what it does not set
    EncodeColorTable(test::CommonPalette(), block);
    Bytes expected = Hex({0x09, 0x1E, 0,    0,    0x00, 0x00, 0x20, 0x00, 0x02, 0x00, 0x22, 0x00,
                          0x00, 0x08, 0x20, 0x08, 0x02, 0x08, 0x33, 0x0C, 0,    0,    0,    0,
                          0x09, 0x1F, 0,    0,    0x22, 0x08, 0x3C, 0x00, 0x03, 0x30, 0x3F, 0x30,
                          0x00, 0x0F, 0x3C, 0x0F, 0x03, 0x3F, 0x3F, 0x3F, 0,    0,    0,    0});
    expected.resize(96, 0);
    EXPECT_EQ(BytesOf(block), expected);
}

TEST(ColorTable, OnlyTheHighFourBitsOfEachComponentCount) {
    auto pair = [](int r, int g, int b, int reserved) {
        const ColorPair p =
            PackColor({static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                       static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(reserved)});
        return std::vector<int>{p.first, p.second};
    };
    EXPECT_EQ(pair(0x0F, 0x0F, 0x0F, 0), (std::vector<int>{0, 0}));
    EXPECT_EQ(pair(0xF0, 0xF0, 0xF0, 0), (std::vector<int>{0x3F, 0x3F}));
    EXPECT_EQ(pair(0x7F, 0x7F, 0x7F, 0), pair(0x70, 0x70, 0x70, 0));
    EXPECT_EQ(pair(0x7F, 0, 0, 0), (std::vector<int>{7 << 2, 0}));
    EXPECT_EQ(pair(0x12, 0x34, 0x56, 0xFF), pair(0x12, 0x34, 0x56, 0x00));
    // Green straddles the two symbols: its high two bits end the first.
    EXPECT_EQ(pair(0, 0xD0, 0, 0), (std::vector<int>{0x03, 0x10}));
}

// Packet `i` of a tile: command, instruction, colours, row, column, rows.
Bytes TilePacket(int i, int row, int column, std::initializer_list<int> pixelRows) {
    Bytes p(24, 0);
    p[0] = 9;
    p[1] = i == 0 ? 6 : 38;
    p[5] = static_cast<std::uint8_t>(i == 0 ? 8 : i);
    p[6] = static_cast<std::uint8_t>(row);
    p[7] = static_cast<std::uint8_t>(column);
    std::size_t at = 8;
    for (int v : pixelRows) p[at++] = static_cast<std::uint8_t>(v);
    return p;
}

TEST(TileEncoder, WorkedExampleTileZero) {
    const int rows[3][6] = {{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9, 10, 11}, {12, 13, 14, 15, 15, 15}};
    const Picture pic = test::MakePicture([&](int x, int y) {
        if (x >= 6 || y >= 12) return 3;  // other tiles must not leak in
        return y < 3 ? rows[y][x] : 9;
    });
    TilePackets out;
    std::memset(static_cast<void*>(&out), 0xAA, sizeof out);
    EncodeTile(pic, 0, out);
    const int z = 0;
    const std::vector<Bytes> expected = {
        TilePacket(0, 1, 1, {z, 0x0F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F}),
        TilePacket(1, 1, 1, {0x10, 0x04, z, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F}),
        TilePacket(2, 1, 1, {0x08, 0x02}),
        TilePacket(3, 1, 1, {0x04, 0x01}),
        TilePacket(4, 1, 1, {0x02, z, 0x20}),
        TilePacket(5, 1, 1, {0x01, z, 0x10}),
        TilePacket(6, 1, 1, {z, 0x20, 0x08}),
        TilePacket(7, 1, 1, {z, 0x10, 0x07}),
    };
    for (int i = 0; i < 8; ++i) EXPECT_EQ(BytesOf(out[i]), expected[i]) << "packet " << i;
}

TEST(TileEncoder, UniformTilesUseOnlyTheirPackets) {
    // colour -> which packets carry all-ones rows; every other packet is all zero
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {0, {}}, {8, {0}}, {15, {0, 7}}, {7, {7}}, {13, {0, 5}}};
    for (const auto& [colour, full] : cases) {
        const Picture pic = test::MakePicture([c = colour](int, int) { return c; });
        TilePackets out;
        EncodeTile(pic, 767, out);
        for (int i = 0; i < 8; ++i) {
            const bool ones = std::find(full.begin(), full.end(), i) != full.end();
            const Bytes rows(out[i].data.begin() + 4, out[i].data.begin() + 16);
            EXPECT_EQ(rows, Bytes(12, ones ? 0x3F : 0)) << "colour " << colour << " packet " << i;
            EXPECT_EQ(out[i].data[2], 16);
            EXPECT_EQ(out[i].data[3], 48);
        }
    }
}

// Plays every tile of `pic` over the player's screen.
void PlayTiles(const Picture& pic, CdgDecoder& player) {
    TilePackets out;
    for (int t = 0; t < kTileCount; ++t) {
        EncodeTile(pic, t, out);
        for (const SubcodePacket& p : out) {
            for (std::uint8_t b : BytesOf(p)) ASSERT_LT(b, 64) << "tile " << t;
            player.ApplyPacket(BytesOf(p).data());
        }
    }
}

TEST(TileEncoder, RandomPicturesComeBackWhateverTheScreenHeld) {
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const Picture pic = test::RandomPicture(seed);
        CdgScreen noise;
        std::mt19937 rng(seed + 100);
        for (auto& px : noise.memory) px = static_cast<std::uint8_t>(rng() & 15);
        CdgDecoder player;
        player.SetScreen(noise);
        PlayTiles(pic, player);
        const auto at = [&](int x, int y) { return player.screen().memory[y * kCdgWidth + x]; };
        for (int y = 0; y < kPictureHeight; ++y) {
            for (int x = 0; x < kPictureWidth; ++x) {
                ASSERT_EQ(at(x + 6, y + 12), PixelAt(pic, x, y))
                    << "seed " << seed << " at " << x << "," << y;
            }
        }
        // The border (tile row 0, column 0 and the unused edges) is never touched.
        for (int y = 0; y < kCdgHeight; ++y) {
            for (int x = 0; x < kCdgWidth; ++x) {
                const bool inside = x >= 6 && x < 294 && y >= 12 && y < 204;
                if (!inside) {
                    ASSERT_EQ(at(x, y), noise.memory[y * kCdgWidth + x]);
                }
            }
        }
    }
}

TEST(TileEncoder, IndexOutsideThePictureDrawsNothing) {
    const Picture pic = test::RandomPicture(9);
    TilePackets out;
    for (int t : {-1, kTileCount, 100000}) {
        std::memset(static_cast<void*>(&out), 0xAA, sizeof out);
        EncodeTile(pic, t, out);
        EXPECT_EQ(BytesOf(out), Bytes(sizeof out, 0));
    }
}

TEST(Picture, StartStateIsABlack4BitPictureWithItsPreviewHeader) {
    Picture pic;
    pic.pixels.fill(0x55);
    pic.palette[3] = {1, 2, 3, 4};
    InitPicture(pic);
    Bytes header(40, 0);
    header[0] = 40;
    header[4] = 288 & 0xFF;
    header[5] = 288 >> 8;
    header[8] = 192;
    header[12] = 1;
    header[14] = 4;
    EXPECT_EQ(Bytes(pic.header.begin(), pic.header.end()), header);
    EXPECT_EQ(Bytes(pic.pixels.begin(), pic.pixels.end()), Bytes(kPixelBytes, 0));
    Bytes preview = header;
    preview.resize(kPreviewInfoBytes, 0);
    preview[40 + 12] = 1;
    preview[40 + 13] = 2;
    preview[40 + 14] = 3;
    preview[40 + 15] = 4;
    EXPECT_EQ(Bytes(pic.previewInfo.begin(), pic.previewInfo.end()), preview);
}

TEST(ImageSize, WholeSectorsWrittenAndRoomAskedFor) {
    EXPECT_EQ(SectorCount(-5), 0);
    EXPECT_EQ(SectorCount(2351), 0);
    EXPECT_EQ(SectorCount(2352), 1);
    EXPECT_EQ(SectorCount(31752000), 13500);
    EXPECT_EQ(SectorCount(std::int64_t{3} << 32), (std::int64_t{3} << 32) / 2352);
    EXPECT_EQ(BytesNeeded(-1), 0u);
    EXPECT_EQ(BytesNeeded(0), 0u);
    EXPECT_EQ(BytesNeeded(1), 2448u);
    EXPECT_EQ(BytesNeeded(2352), 2448u);
    EXPECT_EQ(BytesNeeded(2353), 2u * 2448u);
    EXPECT_EQ(BytesNeeded(std::int64_t{5} << 30), ((std::uint64_t{5} << 30) + 2351) / 2352 * 2448);
}

}  // namespace
}  // namespace orvane
