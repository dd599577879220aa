// The audio decoder's own promises: mono on both sides at its own level, the
// required form unchanged, a stop obeyed.
// (Every kind of song, and bad files, are in recording_convert_test.cpp.)
#include "convert/audio_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {


constexpr double kSeconds = 3.0;
// lavfi's sine has an amplitude of 1/8 of full scale.
const double kFullRms = 32768.0 / 8 / std::sqrt(2.0);

struct Decoded {
    AudioError open;
    std::vector<std::int16_t> samples;
    AudioStatus last = AudioStatus::Ok;
    std::int64_t estimated = 0;
    std::size_t Frames() const { return samples.size() / 2; }
};

Decoded DecodeAll(const std::string& path, std::size_t block = 1000) {
    Decoded d;
    AudioDecoder decoder;
    d.open = decoder.Open(path);
    d.estimated = decoder.EstimatedFrames();
    std::vector<std::int16_t> buf(block * 2);
    for (;;) {
        const auto r = decoder.Read(buf.data(), block);
        d.last = r.status;
        if (r.frames == 0) break;
        d.samples.insert(d.samples.end(), buf.begin(), buf.begin() + r.frames * 2);
    }
    return d;
}

// RMS of one channel over the middle second.
double MiddleRms(const Decoded& d, int channel) {
    const std::size_t from = d.Frames() / 2 - 22050, to = from + 44100;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += std::pow(d.samples[i * 2 + channel], 2.0);
    return std::sqrt(sum / 44100);
}

TEST(AudioDecoder, MonoFillsBothSidesAtItsOwnLevel) {
    if (!test::HaveTools("sox")) GTEST_SKIP() << "sox is not installed";
    test::TempDir dir;
    const std::string mono = dir.File("mono.wav");
    // sox's sine at 0.125 has the same level as lavfi's.
    ASSERT_TRUE(
        test::RunQuiet("sox -n -r 22050 -b 16 -c 1 '" + mono + "' synth 3 sine 440 vol 0.125"));

    const Decoded m = DecodeAll(mono, 777);
    ASSERT_EQ(m.open.status, AudioStatus::Ok) << m.open.message;
    EXPECT_NEAR(static_cast<double>(m.Frames()), kSeconds * 44100, 2);
    bool same = true;
    for (std::size_t i = 0; i < m.Frames(); ++i)
        same = same && m.samples[2 * i] == m.samples[2 * i + 1];
    EXPECT_TRUE(same);
    EXPECT_NEAR(MiddleRms(m, 0) / kFullRms, 1.0, 0.01);  // unchanged level, not -3 dB
}

TEST(AudioDecoder, TheRequiredFormPassesThroughUnchanged) {
    const test::Bytes wav = test::MakeWav(44100 * 4);
    test::TempDir dir;
    test::WriteFile(dir.File("x.wav"), wav);
    const Decoded d = DecodeAll(dir.File("x.wav"), 4096);
    ASSERT_EQ(d.open.status, AudioStatus::Ok) << d.open.message;
    ASSERT_EQ(d.samples.size() * 2, wav.size() - test::WavHeaderBytes());
    EXPECT_EQ(std::memcmp(d.samples.data(), wav.data() + test::WavHeaderBytes(),
                          wav.size() - test::WavHeaderBytes()),
              0);
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
