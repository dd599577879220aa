// The packet scheduler's rules, seen through Orvane's decoder: each tile
// update leaves exactly the wanted pixels in the fewest packets, overtaken
// states are skipped but counted, nothing is drawn before its release nor
// long before it is due, words go before lines due with them, and what the
// stream cannot carry is reported, never dropped silently.
#include "lyrics/packet_scheduler.h"

#include <gtest/gtest.h>

#include <random>

#include "lyrics/tile_update.h"
#include "player/cdg_decoder.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

TilePixels TileOf(const CdgScreen& screen, int tile) {
    TilePixels pixels;
    const int x0 = kCdgVisibleLeft + (tile % 48) * 6, y0 = kCdgVisibleTop + (tile / 48) * 12;
    for (int i = 0; i < kTilePixels; ++i) {
        pixels[static_cast<std::size_t>(i)] =
            screen.memory[static_cast<std::size_t>((y0 + i / 6) * kCdgWidth + x0 + i % 6)];
    }
    return pixels;
}

TilePixels Pattern(std::initializer_list<std::uint8_t> colours, std::uint32_t seed) {
    std::mt19937 random(seed);
    const std::vector<std::uint8_t> from(colours);
    TilePixels pixels;
    for (auto& p : pixels) p = from[random() % from.size()];
    return pixels;
}

TEST(TileUpdate, FewestPacketsLeaveExactlyTheWantedTile) {
    const TilePixels picture = Pattern({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 1);
    TilePixels lined = picture, wiped;  // letters over the picture, then half sung
    for (int i = 0; i < kTilePixels; i += 4) lined[static_cast<std::size_t>(i)] = kUnsungIndex;
    wiped = lined;
    for (int i = 0; i < kTilePixels; i += 4) {
        if (i % 6 < 3) wiped[static_cast<std::size_t>(i)] = kSungIndex;
    }
    struct Case {
        const char* name;
        TilePixels shown, wanted;
        int packets;
    } cases[] = {
        {"already shown", picture, picture, 0},
        {"two colours: one tile packet", picture, Pattern({kUnsungIndex, kOutlineIndex}, 2), 1},
        {"one colour", picture, Pattern({5}, 3), 1},
        {"three colours from black", TilePixels{}, Pattern({1, 2, 3}, 4), 2},
        {"a wipe step over a line: one XOR", lined, wiped, 1},
        {"twelve colours from black", TilePixels{}, picture, 4},
    };
    for (const Case& c : cases) {
        const TileUpdate update = PlanTileUpdate(100, c.shown, c.wanted);
        EXPECT_EQ(update.count, c.packets) << c.name;
        CdgDecoder decoder;
        CdgScreen screen;
        for (int i = 0; i < kTilePixels; ++i) {  // tile 100: row 2, column 4
            screen
                .memory[static_cast<std::size_t>((12 + 24 + i / 6) * kCdgWidth + 6 + 24 + i % 6)] =
                c.shown[static_cast<std::size_t>(i)];
        }
        decoder.SetScreen(screen);
        for (int i = 0; i < update.count; ++i) {
            decoder.ApplyPacket(reinterpret_cast<const std::uint8_t*>(&update.packets[i]));
        }
        EXPECT_EQ(TileOf(decoder.screen(), 100), c.wanted) << c.name;
    }
}

struct Outcome {
    PacketSchedule schedule;
    // The decoded screen after each sector's packets.
    std::vector<CdgScreen> screens;
};

Outcome Schedule(const ScreenTimeline& timeline, std::int64_t sectors) {
    Outcome run{SchedulePackets(timeline, sectors, {}), {}};
    CdgDecoder decoder;
    for (const SubcodeBlock& block : run.schedule.blocks) {
        decoder.ApplySector(reinterpret_cast<const std::uint8_t*>(&block));
        run.screens.push_back(decoder.screen());
    }
    return run;
}

TileState Change(int tile, std::int64_t release, std::int64_t deadline, int word,
                 std::uint32_t seed) {
    return {deadline, release, tile, word,
            Pattern({kUnsungIndex, kSungIndex, kOutlineIndex}, seed)};
}

TEST(PacketScheduler, SkipsOvertakenStatesAndWaitsForRelease) {
    ScreenTimeline timeline;
    timeline.picture = test::RandomPicture(5);
    // Tile 7: a state overtaken before it can be sent (both drawable at once).
    timeline.changes.push_back(Change(7, 0, 10, 0, 1));
    timeline.changes.push_back(Change(7, 0, 11, 0, 2));
    // Tile 300: must not be drawn before sector 400.
    timeline.changes.push_back(Change(300, 400, 405, 1, 3));
    // Tile 500: its place is free from the start, but it is due at 1000.
    timeline.changes.push_back(Change(500, 0, 1000, -1, 4));
    timeline.words = {{0, 200, 0}, {5300, 5400, 0}};
    const Outcome run = Schedule(timeline, 1200);
    EXPECT_NE(TileOf(run.screens[600], 500), timeline.changes[3].pixels) << "shown a minute early";
    EXPECT_EQ(TileOf(run.screens[1000], 500), timeline.changes[3].pixels);

    for (const CdgScreen& screen : run.screens) {
        EXPECT_NE(TileOf(screen, 7), timeline.changes[0].pixels) << "the overtaken state shows";
    }
    EXPECT_EQ(TileOf(run.screens[11], 7), timeline.changes[1].pixels);
    EXPECT_NE(TileOf(run.screens[399], 300), timeline.changes[2].pixels) << "drawn before release";
    EXPECT_EQ(TileOf(run.screens[405], 300), timeline.changes[2].pixels);
    EXPECT_EQ(run.schedule.lateness.lateWords, 0);
    EXPECT_EQ(run.schedule.lateness.unsentChanges, 0);
    // The picture went on around them (the oracle test compares it).
    EXPECT_GE(run.schedule.pictureDoneSector, 0);
}

TEST(PacketScheduler, ReportsWhatTheStreamCannotCarry) {
    struct Case {
        const char* name;
        int tiles;              // one word each, three colours, all due at sector 100
        std::int64_t sectors;   // the stream's length
        std::int64_t release;   // of the words
        int lateWords;          // at least
        std::int64_t latestMs;  // at least
        int unsent;
        int linesNotAhead;
    } cases[] = {
        {"fits", 40, 2000, 0, 0, 0, 0, 0},
        // 400 words of two packets each: 200 sectors, the last 100 past due.
        {"too many at once", 400, 2000, 0, 150, 1200, 0, 1},
        {"the recording ends first", 40, 100, 100, 40, 0, 88, 1},
    };
    for (const Case& c : cases) {
        ScreenTimeline timeline;  // a black picture: nothing else to send
        for (int t = 0; t < c.tiles; ++t) {
            timeline.changes.push_back(Change(t, c.release, 100, t, static_cast<std::uint32_t>(t)));
            timeline.words.push_back({1300, 1400, 0});
        }
        // A line in the bottom row, also due at 100 and sung at 3 s: it
        // comes last among equals, so it is the one a crowd makes late.
        for (int t = 720; t < 768; ++t)
            timeline.changes.push_back(Change(t, c.release, 100, -1, 9));
        timeline.lines.push_back({3000, 0, 180, 288, 192});
        const Outcome run = Schedule(timeline, c.sectors);
        const LyricsLateness& report = run.schedule.lateness;
        EXPECT_GE(report.lateWords, c.lateWords) << c.name;
        EXPECT_GE(report.latestMs, c.latestMs) << c.name;
        EXPECT_EQ(report.lateWords == 0, c.lateWords == 0) << c.name;
        EXPECT_EQ(report.unsentChanges, c.unsent) << c.name;
        EXPECT_EQ(report.linesNotAhead, c.linesNotAhead) << c.name;
        // Whatever was late still arrived, unless the recording ended.
        for (std::size_t i = 0; i < timeline.changes.size() && c.unsent == 0; ++i) {
            const TileState& change = timeline.changes[i];
            EXPECT_EQ(TileOf(run.screens.back(), change.tile), change.pixels) << c.name;
        }
    }
}

TEST(PacketScheduler, WordsGoBeforeALineDueWithThem) {
    ScreenTimeline timeline;  // a black picture
    // A line of 96 tiles (192 packets, 48 sectors) due at 100, and a word
    // being sung elsewhere due at 105: the word must not wait for the line.
    for (int t = 0; t < 96; ++t) timeline.changes.push_back(Change(t, 90, 100, -1, 1));
    timeline.changes.push_back(Change(700, 105, 105, 0, 2));
    timeline.words.push_back({1400, 1500, 0});
    const Outcome run = Schedule(timeline, 400);
    EXPECT_EQ(TileOf(run.screens[105], 700), timeline.changes.back().pixels);
    EXPECT_EQ(run.schedule.lateness.lateWords, 0);
    EXPECT_EQ(TileOf(run.screens.back(), 95), timeline.changes[95].pixels);
}

}  // namespace
}  // namespace orvane
