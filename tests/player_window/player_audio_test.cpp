// The sound file beside a .cdg: decoded on its own thread while the sound
// thread reads it, cut at the stream's length, silence where it is short.
#include "app/player_audio.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/fixtures.h"

namespace orvane::test {
namespace {

// A FLAC file (lossless, so the oracle is the bytes themselves) of
// `seconds` of the fixtures' recording; returns those bytes.
Bytes MakeFlac(const TempDir& dir, const std::string& name, int seconds) {
    const Bytes wav = MakeWav(static_cast<std::size_t>(seconds) * 44100 * 4);
    WriteFile(dir.File("in.wav"), wav);
    const std::string command =
        "ffmpeg -v error -y -i " + dir.File("in.wav") + " " + dir.File(name);
    EXPECT_EQ(std::system(command.c_str()), 0);
    return Bytes(wav.begin() + static_cast<std::ptrdiff_t>(WavHeaderBytes()), wav.end());
}

TEST(FileAudio, ReadsTheDecodedSoundFromAnywhere) {
    TempDir dir;
    const Bytes sound = MakeFlac(dir, "song.flac", 3);
    struct Case {
        std::uint64_t limit;  // the stream's length in bytes
        std::uint64_t offset;
        std::size_t bytes;
    };
    const Case cases[] = {
        {sound.size(), 0, 4096},
        {sound.size(), 176400 + 8, 10000},
        {sound.size(), sound.size() - 100, 4096},        // the end: 100 bytes
        {sound.size() / 2, sound.size() / 2 - 8, 4096},  // cut at the stream's end
        {sound.size() + 50000, sound.size() - 8, 4096},  // longer stream: silence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.limit << " " << c.offset);
        FileAudio audio;
        ASSERT_EQ(audio.Open(dir.File("song.flac"), c.limit), "");
        audio.WaitFor(c.limit);
        Bytes out(c.bytes, 0xEE);
        const std::size_t got = audio.Read(c.offset, out.data(), out.size());
        const std::uint64_t end = std::min<std::uint64_t>(c.offset + c.bytes, c.limit);
        ASSERT_EQ(got, end - c.offset);
        for (std::size_t i = 0; i < got; ++i) {
            const std::uint64_t at = c.offset + i;
            ASSERT_EQ(out[i], at < sound.size() ? sound[at] : 0) << at;
        }
        EXPECT_EQ(audio.TakeError(), "");
    }
}

// Closing while the decoder still runs stops it; a file that is no sound
// says why at once.
TEST(FileAudio, StopsWhenClosedAndRefusesWhatIsNoSound) {
    TempDir dir;
    MakeFlac(dir, "long.flac", 60);
    for (int i = 0; i < 5; ++i) {
        FileAudio audio;
        ASSERT_EQ(audio.Open(dir.File("long.flac"), 60ull * 176400), "");
        std::uint8_t out[4096];
        audio.Read(i * 100000ull, out, sizeof out);
    }
    WriteFile(dir.File("noise.mp3"), Bytes(3000, 0x55));
    FileAudio audio;
    EXPECT_EQ(audio.Open(dir.File("noise.mp3"), 176400),
              "Invalid data found when processing input");
    EXPECT_NE(audio.Open(dir.File("missing.ogg"), 176400), "");
}

}  // namespace
}  // namespace orvane::test
