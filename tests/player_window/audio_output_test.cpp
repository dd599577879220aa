// The player's sound output through SDL's disk driver (which writes what a
// device would play), and its clock with and without a device.
#include "player/audio_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/fixtures.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

std::uint8_t StreamByte(std::uint64_t i) {
    return static_cast<std::uint8_t>(1 + (i * 7 + i / 251) % 253);  // never 0
}

AudioPull PatternPull() {
    return [](std::uint64_t offset, std::uint8_t* out, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i) out[i] = StreamByte(offset + i);
        return bytes;
    };
}

void UseDriver(const char* driver, const std::string& file, bool paced) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    if (paced)
        unsetenv("SDL_DISKAUDIODELAY");
    else
        setenv("SDL_DISKAUDIODELAY", "0", 1);
}

// The disk driver's file holds the whole stream once, after the silence of
// the paused device, then silence again after the end.
TEST(AudioOutput, DiskDriverHearsEveryByteOnce) {
    TempDir dir;
    const std::string heard = dir.File("heard.raw");
    UseDriver("disk", heard, false);
    const std::uint64_t total = 3 * kAudioBytesPerSecond + 1002;  // cut to whole frames
    {
        AudioOutput out;
        ASSERT_TRUE(out.Open(total, PatternPull()).device);
        out.Play();
        for (int i = 0; i < 500 && !out.AtEnd(); ++i) std::this_thread::sleep_for(10ms);
        ASSERT_TRUE(out.AtEnd());
        EXPECT_EQ(out.PositionBytes(), total - 2);
    }
    const Bytes bytes = ReadFile(heard);
    std::size_t start = 0;
    while (start < bytes.size() && bytes[start] == 0) ++start;
    ASSERT_GE(bytes.size(), start + total - 2);
    for (std::uint64_t i = 0; i < total - 2; ++i)
        ASSERT_EQ(bytes[start + i], StreamByte(i)) << "byte " << i;
    for (std::size_t i = start + total - 2; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << i;
}

// The same clock behaviour with a paced device and with none: it follows
// real time while playing, stands still when paused, seeks exactly, stops
// at the end and starts again from the beginning.
TEST(AudioOutput, ClockWithAndWithoutDevice) {
    struct Case {
        const char* driver;
        bool device;
    };
    for (const Case& c : {Case{"disk", true}, Case{"no-such-driver", false}}) {
        SCOPED_TRACE(c.driver);
        TempDir dir;
        UseDriver(c.driver, dir.File("heard.raw"), true);
        AudioOutput out;
        const AudioOpenResult opened = out.Open(20 * kAudioBytesPerSecond, PatternPull());
        EXPECT_EQ(opened.device, c.device);
        EXPECT_EQ(opened.message.empty(), c.device) << opened.message;
        EXPECT_EQ(out.PositionBytes(), 0u);

        out.Play();
        std::this_thread::sleep_for(400ms);
        EXPECT_NEAR(out.Seconds(), 0.4, 0.08);
        out.Pause();
        const double paused = out.Seconds();
        std::this_thread::sleep_for(150ms);
        EXPECT_EQ(out.Seconds(), paused);

        out.Seek(10 * kAudioBytesPerSecond + 3);
        EXPECT_EQ(out.PositionBytes(), 10 * kAudioBytesPerSecond);
        out.Play();
        std::this_thread::sleep_for(300ms);
        EXPECT_NEAR(out.Seconds(), 10.3, 0.08);

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
