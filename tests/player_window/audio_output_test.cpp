// The player's sound clock: its reckoning from made-up hand-overs, then with
// SDL's disk driver (paced as a device plays, or stalling) and with no
// device at all.
#include "player/audio_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "player_image.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

constexpr std::uint64_t Ms(std::uint64_t ms) {
    return ms * kAudioBytesPerSecond / 1000;
}

// A device that holds 100 ms in front of each 100 ms buffer. The clock takes
// that latency off, stands still while the device takes nothing (a wall
// clock would run on), never goes back to sound from before a seek that the
// device still plays, answers for moments just past, and with no device runs
// on time alone to the end.
TEST(AudioClock, FollowsWhatTheDeviceTook) {
    AudioClock clock;
    clock.Reset(Ms(10000), Ms(100));
    const auto t0 = SteadyClock::now() + 1s;
    const auto at = [t0](std::uint64_t ms) { return t0 + std::chrono::milliseconds(ms); };
    struct Step {
        char op;  // Hold, Run, Given a buffer (100 ms long), or '?' expect
        std::uint64_t bytes;
        std::uint64_t ms;
    };
    const Step steps[] = {
        {'H', 0, 0},           {'G', 0, 0},           {'?', 0, 50},          {'?', 0, 100},
        {'G', Ms(100), 100},   {'?', Ms(50), 150},    {'?', Ms(100), 900},   {'G', Ms(200), 900},
        {'?', Ms(150), 950},   {'H', Ms(5000), 960},  {'?', Ms(5000), 970},  {'G', Ms(5000), 970},
        {'?', Ms(5000), 1020}, {'G', Ms(5100), 1070}, {'?', Ms(5050), 1120}, {'?', Ms(140), 940},
        {'?', Ms(100), 899},   {'R', Ms(9900), 2000}, {'?', Ms(9950), 2050}, {'?', Ms(10000), 3000},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.op << " at " << step.ms << " ms");
        switch (step.op) {
            case 'H':
                clock.Hold(step.bytes, at(step.ms));
                break;
            case 'R':
                clock.Run(step.bytes, at(step.ms));
                break;
            case 'G':
                clock.HandOver(step.bytes, Ms(100), at(step.ms));
                break;
            default:
                EXPECT_EQ(clock.At(at(step.ms)), step.bytes);
        }
    }
}

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

// A device that takes one 23 ms buffer every half second: the clock moves by
// what it took, about a twentieth of the time that passed.
TEST(AudioOutput, AStalledDeviceHoldsTheClock) {
    TempDir dir;
    UseAudioDriver("disk", dir.File("heard.raw"), 500);
    AudioOutput out;
    ASSERT_TRUE(out.Open(20 * kAudioBytesPerSecond, {}).device);
    EXPECT_EQ(out.LatencyBytes(), 0u);
    out.Play();
    std::this_thread::sleep_for(1200ms);
    EXPECT_GT(out.Seconds(), 0.0);
    EXPECT_LT(out.Seconds(), 0.1);
}

}  // namespace
}  // namespace orvane::test
