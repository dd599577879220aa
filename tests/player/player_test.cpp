// The player model: Orvane's images and their .cdg streams against ffmpeg,
// told apart by content; seeking; audio; partial and wrong files.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "cdg_stream.h"
#include "encoder/job_support.h"
#include "player/cdg_player.h"

namespace orvane::test {
namespace {

constexpr std::size_t kImageSectors = 1600;

struct OrvaneImage {
    JobRig rig{kImageSectors * kSectorAudioBytes, 5};
    Bytes image, cdg;
    std::string stream = rig.dir.File("stream.bin");
    OrvaneImage() {
        rig.Run();
        image = ReadFile(rig.output);
        cdg = SubcodeOf(image);
        WriteFile(stream, cdg);
    }
};

TEST(Player, OrvaneImageAndItsStreamShowWhatFfmpegShows) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    OrvaneImage o;
    CdgPlayer raw, stream;
    ASSERT_FALSE(raw.Open(o.rig.output));  // named out.cdg, yet a raw image
    ASSERT_FALSE(stream.Open(o.stream));
    EXPECT_EQ(raw.layout(), SectorLayout::RawImage);
    EXPECT_EQ(stream.layout(), SectorLayout::CdgStream);
    EXPECT_TRUE(raw.hasAudio());
    EXPECT_FALSE(stream.hasAudio());
    for (const CdgPlayer* p : {&raw, &stream}) {
        EXPECT_EQ(p->sectorCount(), kImageSectors);
        EXPECT_EQ(p->ignoredBytes(), 0u);
        EXPECT_EQ(p->pictureCompleteSectors(), 1537u);  // "complete at 20.49 s"
    }
    for (std::size_t sectors :
         {std::size_t{1}, std::size_t{2}, std::size_t{751}, std::size_t{1536}, kImageSectors}) {
        const std::string first = o.rig.dir.File("first.cdg");
        WriteFile(first, Bytes(o.cdg.begin(), o.cdg.begin() + sectors * kSectorSubcodeBytes));
        const auto want = FfmpegLastFrame(first);
        ASSERT_TRUE(want);
        for (const CdgPlayer* p : {&raw, &stream}) {
            CdgScreen screen;
            ASSERT_FALSE(p->ScreenAfter(sectors, screen));
            EXPECT_EQ(FirstDifference(RenderRgb(screen), *want), "") << "after " << sectors;
        }
    }
}

// An image plays its whole sectors; a .cdg its whole packets, the last
// sector padded with empty ones, as players read it.
TEST(Player, PartialSectorsPlayTheWholeOnesAndReportTheTail) {
    OrvaneImage o;
    struct Case {
        Bytes bytes;
        std::size_t added, keep, tail;
    };
    const Case cases[] = {
        {o.image, 1000, kImageSectors, 1000},
        {o.cdg, 50, kImageSectors + 1, 2},
        {Bytes(o.image.begin(), o.image.begin() + 700 * kRawSectorBytes), 2000, 700, 2000},
    };
    const std::string path = o.rig.dir.File("cut.CDG");
    for (const Case& c : cases) {
        Bytes bytes = c.bytes;
        bytes.insert(bytes.end(), c.added, 0x41);
        WriteFile(path, bytes);
        CdgPlayer player;
        ASSERT_FALSE(player.Open(path));
        EXPECT_EQ(player.sectorCount(), c.keep);
        EXPECT_EQ(player.ignoredBytes(), c.tail);
        CdgPlayer whole;
        WriteFile(path, c.bytes);
        ASSERT_FALSE(whole.Open(path));
        EXPECT_EQ(player.FinalScreen(), whole.FinalScreen());
    }
}

TEST(Player, FilesThatCannotBePlayedSaySoAndStayClosed) {
    TempDir dir;
    std::mt19937 rng(3);
    Bytes noise(3'000'000);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    struct Case {
        const char* name;
        std::optional<Bytes> bytes;  // none: nothing at that path
        PlayerStatus status;
        std::string message;
    };
    const Case cases[] = {
        {"missing", std::nullopt, PlayerStatus::OpenFailed, "No such file or directory"},
        {"empty", Bytes{}, PlayerStatus::Empty, "The file is empty"},
        {"short", Bytes(20, 9), PlayerStatus::NoSector,
         "The file is shorter than one packet (24 bytes)"},
        {"wave", MakeWav(2'000'000), PlayerStatus::NoGraphics, "No CD+G graphics found"},
        {"silence", Bytes(kRawSectorBytes * 10, 0), PlayerStatus::NoGraphics,
         "No CD+G graphics found"},
        {"noise", noise, PlayerStatus::NoGraphics, "No CD+G graphics found"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        if (c.bytes) WriteFile(path, *c.bytes);
        CdgPlayer player;
        const PlayerError e = player.Open(path);
        EXPECT_EQ(e.status, c.status) << c.name;
        EXPECT_EQ(e.message, c.message) << c.name;
        EXPECT_FALSE(player.isOpen()) << c.name;
    }
    CdgPlayer folder;
    EXPECT_EQ(folder.Open(dir.path().string()).message, "Is a directory");
}

// A long stream of everything, decoded from its start, against the player
// jumping about (snapshots) and a cursor playing forward and back.
TEST(Player, SeekingGivesTheScreenOfDecodingFromTheStart) {
    std::mt19937 rng(9);
    CdgStream s;
    for (std::size_t k = 0; k < 4 * 3200; ++k) {
        const unsigned pick = rng() % 100;
        Packet p = Graphics(kCdgTileBlock, {});
        for (std::size_t b = 4; b < 20; ++b) p[b] = static_cast<std::uint8_t>(rng() & 0x3F);
        if (pick < 2) p[1] = kCdgScrollCopy;
        if (pick == 2) p[1] = kCdgMemoryPreset, p[5] = 0;
        if (pick >= 3 && pick < 6) p[1] = kCdgLoadColoursLow + (pick & 1);
        if (pick >= 6 && pick < 50) p[1] = kCdgTileBlockXor;
        if (pick >= 90) p = Packet{};
        if (k >= 4 * 2900) p = Packet{};  // a quiet end
        s.Add(p);
    }
    TempDir dir;
    WriteFile(dir.File("long.bin"), s.bytes());
    CdgPlayer player;
    ASSERT_FALSE(player.Open(dir.File("long.bin")));
    EXPECT_EQ(player.lastGraphicsSectors(), 2900u);
    ScreenCursor cursor(player);
    for (std::uint64_t at : {0, 1, 749, 750, 751, 2000, 2001, 2010, 1999, 3000, 2899, 2900, 5000}) {
        const CdgScreen want = s.DecodeFirst(at);
        CdgScreen got;
        ASSERT_FALSE(player.ScreenAfter(at, got));
        EXPECT_EQ(got, want) << at;
        ASSERT_FALSE(cursor.MoveTo(at));
        EXPECT_EQ(cursor.screen(), want) << at;
    }
}

TEST(Player, AudioOfAnySectorsIsTheImageOwn) {
    OrvaneImage o;
    CdgPlayer raw, stream;
    ASSERT_FALSE(raw.Open(o.rig.output));
    ASSERT_FALSE(stream.Open(o.stream));
    struct Case {
        std::uint64_t first;
        std::size_t count, read;
    };
    for (const Case& c : {Case{0, 3, 3}, Case{700, 300, 300}, Case{1598, 5, 2}, Case{1600, 1, 0}}) {
        Bytes audio(c.count * kSectorAudioBytes, 0xEE);
        std::size_t read = 99;
        ASSERT_FALSE(raw.ReadAudio(c.first, c.count, audio.data(), read));
        ASSERT_EQ(read, c.read);
        for (std::size_t k = 0; k < read; ++k) {
            const auto* sector = &o.image[(c.first + k) * kRawSectorBytes];
            ASSERT_EQ(std::memcmp(&audio[k * kSectorAudioBytes], sector, kSectorAudioBytes), 0);
        }
        ASSERT_FALSE(stream.ReadAudio(c.first, c.count, audio.data(), read));
        EXPECT_EQ(read, 0u);
    }
}

TEST(Player, TimeIsWholeSectorsAtSeventyFivePerSecond) {
    const std::pair<double, std::uint64_t> cases[] = {
        {-1, 0}, {0, 0}, {0.013, 0}, {0.04, 3}, {1.0 / 75, 1}, {20.49, 1536}, {4800, 360000}};
    for (const auto& [seconds, sectors] : cases)
        EXPECT_EQ(SectorsAtTime(seconds), sectors) << seconds;
}

}  // namespace
}  // namespace orvane::test
