// The player's sound clock, with SDL's disk driver (paced as a device plays)
// and with no device at all.
#include "player/audio_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "player_image.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// The clock against the real time that passed: a loaded machine oversleeps,
// so the oracle is the time measured around the sleep, not the time asked
// for. A device's clock may lag by up to a buffer and a scheduling delay.
void ExpectFollowsRealTime(const AudioOutput& out, double from, SteadyClock::time_point start) {
    const auto since = [start] {
        return std::chrono::duration<double>(SteadyClock::now() - start).count();
    };
    const double before = since();
    const double seconds = out.Seconds();
    const double after = since();
    EXPECT_GT(seconds, from + before - 0.15);
    EXPECT_LT(seconds, from + after + 0.02);
}

// The same clock behaviour with a paced device and with none: it follows
// real time while playing, stands still when paused, seeks exactly, stops
// at the end and starts again from the beginning.
TEST(AudioOutput, ClockWithAndWithoutDevice) {
    for (const bool device : {true, false}) {
        SCOPED_TRACE(device);
        TempDir dir;
        UseAudioDriver(device ? "disk" : "no-such-driver", dir.File("heard.raw"));
        AudioOutput out;
        const AudioOpenResult opened = out.Open(20 * kAudioBytesPerSecond, {});
        EXPECT_EQ(opened.device, device);
        EXPECT_EQ(opened.message.empty(), device) << opened.message;
        EXPECT_EQ(out.PositionBytes(), 0u);

        auto start = SteadyClock::now();
        out.Play();
        std::this_thread::sleep_for(400ms);
        ExpectFollowsRealTime(out, 0.0, start);
        out.Pause();
        const double paused = out.Seconds();
        std::this_thread::sleep_for(150ms);
        EXPECT_EQ(out.Seconds(), paused);

        out.Seek(10 * kAudioBytesPerSecond + 3);
        EXPECT_EQ(out.PositionBytes(), 10 * kAudioBytesPerSecond);
        start = SteadyClock::now();
        out.Play();
        std::this_thread::sleep_for(300ms);
        ExpectFollowsRealTime(out, 10.0, start);

        out.Seek(19 * kAudioBytesPerSecond + 176000);
        std::this_thread::sleep_for(250ms);
        EXPECT_TRUE(out.AtEnd());
        EXPECT_EQ(out.PositionBytes(), 20 * kAudioBytesPerSecond);
        out.Pause();
        out.Play();
        EXPECT_LT(out.Seconds(), 0.05);
    }
}

}  // namespace
}  // namespace orvane::test
