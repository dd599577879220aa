// Slow playback: clicks at known song times, played through the slowed
// stream as the audio output pulls it (from the start and after a seek), are
// heard where the mapping says, so a mark made while hearing one is its song
// time.
#include "lyrics/tempo_stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/fixtures.h"

namespace orvane {
namespace {

// The song times at which clicks are heard, mapped back through
// HeardBytesToSongMs.
std::vector<std::int64_t> HeardClicks(TempoStream& stream, std::uint64_t from, int percent) {
    std::vector<std::int64_t> found;
    std::vector<std::uint8_t> buffer(4096);
    std::uint64_t lastLoud = 0;
    for (std::uint64_t offset = from;;) {
        const std::size_t got = stream.Read(offset, buffer.data(), buffer.size());
        for (const std::uint64_t at : test::ClickOnsets(buffer.data(), got, offset, lastLoud))
            found.push_back(HeardBytesToSongMs(at, percent));
        offset += got;
        if (got < buffer.size()) return found;
    }
}

TEST(TempoStreamTest, ClicksAreHeardAtTheirSongTimesAtEverySpeed) {
    const std::vector<std::int64_t> clicks{500, 1300, 2210, 3750, 5105};
    const std::vector<std::uint8_t> song = test::ClickSamples(6, clicks);
    const SongPull pull = [&song](std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
        const std::size_t n =
            offset < song.size() ? std::min<std::size_t>(bytes, song.size() - offset) : 0;
        std::memcpy(out, song.data() + offset, n);
        return n;
    };
    struct Case {
        int percent;
        std::int64_t fromMs;  // a seek before the first read
        std::vector<std::int64_t> heard;
    };
    const Case cases[] = {
        {100, 0, clicks},
        {75, 0, clicks},
        {50, 0, clicks},
        {50, 2000, {2210, 3750, 5105}},
        {75, 1234, {1300, 2210, 3750, 5105}},
    };
    for (const Case& c : cases) {
        TempoStream stream(pull, song.size());
        ASSERT_TRUE(stream.SetSpeed(c.percent));
        const std::vector<std::int64_t> heard =
            HeardClicks(stream, SongMsToHeardBytes(c.fromMs, c.percent), c.percent);
        ASSERT_EQ(heard.size(), c.heard.size()) << c.percent << "% from " << c.fromMs;
        // atempo overlaps pieces where they match best, so a sound may land
        // a few milliseconds either side of its place.
        for (std::size_t i = 0; i < heard.size(); ++i)
            EXPECT_NEAR(heard[i], c.heard[i], 12) << c.percent << "% from " << c.fromMs;
        // The stream lasts as long as the mapping says, give or take the filter's tail.
        EXPECT_NEAR(static_cast<double>(HeardBytesToSongMs(stream.Length(), c.percent)), 6000, 1);
    }
    TempoStream stream(pull, song.size());
    EXPECT_FALSE(stream.SetSpeed(60));
}

}  // namespace
}  // namespace orvane
