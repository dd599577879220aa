// The audio decoder's own promises: the required form unchanged to the byte
// whatever the block size, and a stop obeyed mid-stream.
// (Every kind of song, mono among them, and bad files are in
// recording_convert_test.cpp, with ffmpeg as the oracle.)
#include "convert/audio_decoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fixtures.h"

namespace orvane {
namespace {

TEST(AudioDecoder, TheRequiredFormPassesThroughUnchanged) {
    const test::Bytes wav = test::MakeWav(44100 * 4);
    test::TempDir dir;
    test::WriteFile(dir.File("x.wav"), wav);
    AudioDecoder decoder;
    ASSERT_EQ(decoder.Open(dir.File("x.wav")).status, AudioStatus::Ok);
    // An odd block size, so that blocks end inside the decoder's frames.
    test::Bytes decoded;
    std::vector<std::int16_t> block(777 * 2);
    for (std::size_t got; (got = decoder.Read(block.data(), 777).frames) > 0;) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(block.data());
        decoded.insert(decoded.end(), bytes, bytes + got * 4);
    }
    EXPECT_EQ(decoded, test::Bytes(wav.begin() + test::WavHeaderBytes(), wav.end()));
}

TEST(AudioDecoder, StopsWhenAsked) {
    test::TempDir dir;
    test::WriteFile(dir.File("x.wav"), test::MakeWav(44100 * 4));
    AudioDecoder decoder;
    bool stop = false;
    ASSERT_EQ(decoder.Open(dir.File("x.wav"), [&] { return stop; }).status, AudioStatus::Ok);
    std::vector<std::int16_t> buf(2000);
    EXPECT_EQ(decoder.Read(buf.data(), 1000).frames, 1000u);
    stop = true;
    for (int i = 0; i < 100 && decoder.Read(buf.data(), 1000).frames > 0;) ++i;
    EXPECT_EQ(decoder.Read(buf.data(), 1000).status, AudioStatus::Stopped);
    EXPECT_EQ(decoder.error().status, AudioStatus::Stopped);
}

}  // namespace
}  // namespace orvane
