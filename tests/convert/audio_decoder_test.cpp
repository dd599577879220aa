// The audio decoder on songs the real encoders make: every container and
// codec a user brings, odd rates, depths and channel counts, and bad files.
#include "convert/audio_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

using test::Ffmpeg;

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

struct SongCase {
    const char* name;
    const char* file;
    const char* make;  // ffmpeg arguments after the sine input, before the output
    double leftRms;    // of full scale sine RMS; < 0: only "clearly sounding"
    double rightRms;
    double tolerance;  // frames of slack on the length (encoder padding)
    double level;      // slack on the level (lossy codecs lose a little)
};

// Left is the sine, right is the sine at half level, so swapped channels show.
const char* const kPan = "-af 'pan=stereo|c0=c0|c1=0.5*c0' ";

TEST(AudioDecoder, DecodesEveryKindOfSongTo44100Stereo) {
    if (!test::HaveTools("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
    const std::string pan = kPan;
    const std::vector<SongCase> cases = {
        {"mp3", "a.mp3", "-c:a libmp3lame -b:a 192k", 1, 0.5, 3000, 0.06},
        {"aac in m4a", "a.m4a", "-c:a aac -b:a 192k", 1, 0.5, 3000, 0.06},
        {"flac 24-bit 48 kHz", "a.flac", "-ar 48000 -c:a flac -sample_fmt s32", 1, 0.5, 2, 0.01},
        {"vorbis", "a.ogg", "-c:a libvorbis", 1, 0.5, 3000, 0.06},
        {"opus", "a.opus", "-c:a libopus -b:a 160k", 1, 0.5, 3000, 0.06},
        {"wave 24-bit 48 kHz", "a.wav", "-ar 48000 -c:a pcm_s24le", 1, 0.5, 2, 0.01},
        {"wave float 96 kHz", "f.wav", "-ar 96000 -c:a pcm_f32le", 1, 0.5, 2, 0.01},
        {"mp3 named .wav", "mp3.wav", "-c:a libmp3lame -b:a 192k -f mp3", 1, 0.5, 3000, 0.06},
    };
    test::TempDir dir;
    for (const SongCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.file);
        ASSERT_TRUE(test::RunQuiet(
            Ffmpeg("-f lavfi -i sine=f=440:r=44100:d=3 " + pan + c.make + " '" + path + "'")));
        const Decoded d = DecodeAll(path);
        ASSERT_EQ(d.open.status, AudioStatus::Ok) << d.open.message;
        EXPECT_EQ(d.last, AudioStatus::End);
        EXPECT_NEAR(static_cast<double>(d.Frames()), kSeconds * 44100, c.tolerance);
        EXPECT_NEAR(static_cast<double>(d.estimated), kSeconds * 44100, 3000);
        EXPECT_NEAR(MiddleRms(d, 0) / (kFullRms * c.leftRms), 1.0, c.level);
        EXPECT_NEAR(MiddleRms(d, 1) / (kFullRms * c.rightRms), 1.0, c.level);
    }
}

TEST(AudioDecoder, MonoFillsBothSidesAndManyChannelsAreMixedDown) {
    if (!test::HaveTools("ffmpeg sox")) GTEST_SKIP() << "ffmpeg or sox is not installed";
    test::TempDir dir;
    const std::string mono = dir.File("mono.wav"), surround = dir.File("six.flac"),
                      video = dir.File("clip.mp4");
    // sox's sine at 0.125 has the same level as lavfi's.
    ASSERT_TRUE(
        test::RunQuiet("sox -n -r 22050 -b 16 -c 1 '" + mono + "' synth 3 sine 440 vol 0.125"));
    ASSERT_TRUE(test::RunQuiet(Ffmpeg(
        "-f lavfi -i sine=f=440:d=3 -af 'pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0' -c:a flac '" +
        surround + "'")));
    ASSERT_TRUE(
        test::RunQuiet(Ffmpeg("-f lavfi -i testsrc=d=3:s=64x48 -f lavfi -i sine=f=440:d=3 -c:v "
                              "mpeg4 -c:a aac -shortest '" +
                              video + "'")));

    const Decoded m = DecodeAll(mono, 777);
    ASSERT_EQ(m.open.status, AudioStatus::Ok) << m.open.message;
    EXPECT_NEAR(static_cast<double>(m.Frames()), kSeconds * 44100, 2);
    bool same = true;
    for (std::size_t i = 0; i < m.Frames(); ++i)
        same = same && m.samples[2 * i] == m.samples[2 * i + 1];
    EXPECT_TRUE(same);
    EXPECT_NEAR(MiddleRms(m, 0) / kFullRms, 1.0, 0.01);  // unchanged level, not -3 dB

    for (const std::string& path : {surround, video}) {
        SCOPED_TRACE(path);
        const Decoded d = DecodeAll(path);
        ASSERT_EQ(d.open.status, AudioStatus::Ok) << d.open.message;
        EXPECT_NEAR(static_cast<double>(d.Frames()), kSeconds * 44100, 3000);
        EXPECT_GT(MiddleRms(d, 0), kFullRms * 0.3);
        EXPECT_GT(MiddleRms(d, 1), kFullRms * 0.3);
    }
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

TEST(AudioDecoder, BadFilesAreRefusedWithTheReason) {
    test::TempDir dir;
    test::WriteFile(dir.File("empty"), {});
    test::WriteFile(dir.File("text.mp3"), test::Bytes(5000, 'x'));
    test::WriteFile(dir.File("picture.wav"), test::MakeBmp(test::RandomPicture(3)));
    struct Case {
        std::string path;
        AudioStatus status;
        const char* says;
    };
    const std::vector<Case> cases = {
        {dir.File("missing.mp3"), AudioStatus::OpenFailed, "No such file"},
        {dir.path().string(), AudioStatus::OpenFailed, "Is a directory"},
        {dir.File("empty"), AudioStatus::NotAudio, ""},
        {dir.File("text.mp3"), AudioStatus::NotAudio, ""},
        {dir.File("picture.wav"), AudioStatus::NotAudio, "No sound"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Decoded d = DecodeAll(c.path);
        EXPECT_EQ(d.open.status, c.status);
        EXPECT_NE(d.open.message.find(c.says), std::string::npos) << d.open.message;
        EXPECT_FALSE(d.open.message.empty());
        EXPECT_TRUE(d.samples.empty());
    }
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
