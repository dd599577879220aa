// The decoder against ffmpeg's CD+G decoder, screen for screen, on streams
// that use every instruction where ffmpeg 5.1 is right (scrolls at offset 0).
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "cdg_stream.h"
#include "encoder/job_support.h"
#include "player/screen_export.h"

namespace orvane::test {
namespace {

std::array<std::uint8_t, 12> RandomBits(std::mt19937& rng) {
    std::array<std::uint8_t, 12> bits;
    // The top two bits are not part of a symbol: players ignore them.
    for (auto& b : bits) b = static_cast<std::uint8_t>(rng());
    return bits;
}

std::array<std::uint16_t, 8> RandomColours(std::mt19937& rng) {
    std::array<std::uint16_t, 8> c;
    for (auto& v : c) v = static_cast<std::uint16_t>(rng() & 0xFFF);
    return c;
}

void RandomTiles(CdgStream& s, std::mt19937& rng, int count) {
    for (int k = 0; k < count; ++k) {
        s.Add(Tile(static_cast<int>(rng() % kCdgRows), static_cast<int>(rng() % kCdgColumns),
                   static_cast<int>(rng() & 15), static_cast<int>(rng() & 15), RandomBits(rng),
                   rng() % 2 == 0));
    }
}

// Tiles anywhere (the border too), XOR tiles, presets, colour changes,
// and packets a player skips: other commands, unknown instructions.
void TilesAndPresets(CdgStream& s, std::vector<std::size_t>& checks) {
    std::mt19937 rng(11);
    // Before any colours are loaded: the start palette.
    s.Add(Tile(2, 3, 1, 6, {1, 2, 4, 8, 16, 32, 3, 5, 9, 17, 33, 62}));
    s.EndSector();
    checks.push_back(s.sectors());
    s.Add(Colours(0, RandomColours(rng)));
    s.Add(Colours(8, RandomColours(rng)));
    s.Add(Preset(3));
    s.Add(Border(5));
    s.EndSector();
    checks.push_back(s.sectors());
    for (int round = 0; round < 6; ++round) {
        RandomTiles(s, rng, 150);
        Packet other = Graphics(0, {1, 2, 3, 4, 5, 6});
        other[0] = static_cast<std::uint8_t>(8 + 64 * (round % 4));  // not command 9
        s.Add(other);
        s.Add(Graphics(static_cast<std::uint8_t>(3 + round * 10), {7, 7, 7, 7}));  // unknown
        s.Add(Graphics(kCdgDefineTransparent, {static_cast<std::uint8_t>(round)}));
        s.Add(Colours(round % 2 == 0 ? 8 : 0, RandomColours(rng)));
        if (round == 3) s.Add(Preset(9));
        if (round == 4) s.Add(Border(12));
        s.EndSector();
        checks.push_back(s.sectors());
    }
    // Command and instruction bytes with their top bits set still count.
    Packet high = Tile(17, 49, 1, 14, RandomBits(rng));
    high[0] |= 0xC0;
    high[1] |= 0x40;
    s.Add(high);
    s.EndSector();
}

// Every scroll direction, preset and copy, with the offsets at 0, each
// checked on its own screen.
void Scrolls(CdgStream& s, std::vector<std::size_t>& checks) {
    std::mt19937 rng(12);
    s.Add(Colours(0, RandomColours(rng)));
    s.Add(Colours(8, RandomColours(rng)));
    RandomTiles(s, rng, 900);
    s.EndSector();
    checks.push_back(s.sectors());
    const int moves[][3] = {{1, 0, false}, {2, 0, true},  {0, 1, false}, {0, 2, true},
                            {2, 0, false}, {1, 0, true},  {0, 1, true},  {0, 2, false},
                            {1, 1, false}, {2, 2, false}, {2, 1, false}};
    int colour = 0;
    for (const auto& m : moves) {
        s.Add(Scroll(m[2] != 0, ++colour, m[0], 0, m[1], 0));
        s.EndSector();
        checks.push_back(s.sectors());
        RandomTiles(s, rng, 3);
    }
}

struct OracleCase {
    const char* name;
    std::function<void(CdgStream&, std::vector<std::size_t>&)> build;
};

TEST(DecoderOracle, SameScreensAsFfmpeg) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    const OracleCase cases[] = {{"tiles and presets", TilesAndPresets}, {"scrolls", Scrolls}};
    TempDir dir;
    for (const OracleCase& c : cases) {
        CdgStream stream;
        std::vector<std::size_t> checks;
        c.build(stream, checks);
        checks.push_back(stream.sectors());
        const Bytes all = stream.bytes();
        for (std::size_t sectors : checks) {
            const std::string path = dir.File("first.cdg");
            WriteFile(path, Bytes(all.begin(), all.begin() + sectors * kSectorSubcodeBytes));
            const auto want = FfmpegLastFrame(path);
            ASSERT_TRUE(want) << c.name;
            EXPECT_EQ(FirstDifference(RenderRgb(stream.DecodeFirst(sectors)), *want), "")
                << c.name << " after " << sectors << " sectors";
        }
    }
}

// Files other tools leave, rendered as a user renders them: a raw image
// whose subcode bytes carry P and Q bits (as ripped discs do), and a .cdg
// that ends one packet into a sector. ffmpeg masks the bits and draws every
// packet; so must render.
TEST(DecoderOracle, RenderShowsWhatFfmpegShowsOfRippedFiles) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    JobRig rig(1600 * kSectorAudioBytes, 9);
    rig.Run();
    Bytes image = ReadFile(rig.output);
    std::mt19937 rng(13);
    for (std::size_t at = 0; at + kRawSectorBytes <= image.size(); at += kRawSectorBytes) {
        for (std::size_t k = kSectorAudioBytes; k < kRawSectorBytes; ++k)
            image[at + k] |= static_cast<std::uint8_t>(rng() << 6);
    }
    const Bytes cdg = SubcodeOf(image);
    struct Case {
        const char* name;
        Bytes rendered;  // what render is given
        Bytes stream;    // the same graphics as a .cdg, for ffmpeg
    };
    // Cut one packet into the first sector after 700 whose first packet
    // changes the screen, so that losing it shows.
    CdgDecoder decoder;
    std::size_t packet = 0;
    for (;; ++packet) {
        const CdgScreen before = decoder.screen();
        decoder.ApplyPacket(&cdg.at(packet * kCdgPacketBytes));
        if (packet >= 700 * 4 && packet % 4 == 0 && !(decoder.screen() == before)) break;
    }
    const Bytes cut(cdg.begin(), cdg.begin() + (packet + 1) * kCdgPacketBytes);
    const Case cases[] = {{"ripped image.cdg", image, cdg}, {"4n+1.cdg", cut, cut}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir.File(c.name), c.rendered);
        WriteFile(dir.File("ffmpeg.cdg"), c.stream);
        const ScreenExport shown = ExportScreen(dir.File(c.name), dir.File("shown.png"), {});
        ASSERT_EQ(shown.status, ExportStatus::Ok) << shown.message;
        const auto got = PngPixels(dir.File("shown.png"));
        const auto want = FfmpegLastFrame(dir.File("ffmpeg.cdg"));
        ASSERT_TRUE(got && want);
        EXPECT_EQ(FirstDifference(*got, *want), "");
    }
}

}  // namespace
}  // namespace orvane::test
