// The sound file beside a .cdg: decoded on its own thread while the sound
// thread reads it, cut at the stream's length, silence where it is short,
// stopped when closed mid-way.
#include "app/player_audio.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/fixtures.h"

namespace orvane::test {
namespace {

TEST(FileAudio, ReadsTheDecodedSoundFromAnywhere) {
    TempDir dir;
    const Bytes wav = MakeWav(3 * 176400);
    WriteFile(dir.File("in.wav"), wav);
    // Lossless, so the oracle is the recording's own bytes.
    const std::string flac = "ffmpeg -v error -i " + dir.File("in.wav") + " " + dir.File("s.flac");
    ASSERT_EQ(std::system(flac.c_str()), 0);
    const Bytes sound(wav.begin() + static_cast<std::ptrdiff_t>(WavHeaderBytes()), wav.end());
    const std::uint64_t size = sound.size();
    // The stream's length, then where and how much is read.
    const std::tuple<std::uint64_t, std::uint64_t, std::size_t> cases[] = {
        {size, 176400 + 8, 10000},
        {size, size - 100, 4096},        // the end: 100 bytes
        {size / 2, size / 2 - 8, 4096},  // cut at the stream's end
        {size + 50000, size - 8, 4096},  // a longer stream: silence
    };
    for (const auto& [limit, offset, bytes] : cases) {
        SCOPED_TRACE(testing::Message() << limit << " " << offset);
        FileAudio audio;
        ASSERT_EQ(audio.Open(dir.File("s.flac"), limit), "");
        audio.WaitFor(limit);
        Bytes out(bytes, 0xEE);
        const std::size_t got = audio.Read(offset, out.data(), out.size());
        ASSERT_EQ(got, std::min<std::uint64_t>(offset + bytes, limit) - offset);
        for (std::size_t i = 0; i < got; ++i)
            ASSERT_EQ(out[i], offset + i < size ? sound[offset + i] : 0) << offset + i;
        EXPECT_EQ(audio.TakeError(), "");
    }
    for (int i = 0; i < 3; ++i) {  // closed while decoding: no hang, no race
        FileAudio audio;
        ASSERT_EQ(audio.Open(dir.File("s.flac"), size), "");
    }
}

}  // namespace
}  // namespace orvane::test
