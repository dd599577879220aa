// Recording conversion: songs the real encoders make become WAVE files that
// Orvane's own check accepts and that match ffmpeg's own conversion.
#include "convert/recording_convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "input/wave_reader.h"
#include "media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::Ffmpeg;

std::vector<std::int16_t> Samples(const test::Bytes& bytes, std::size_t from) {
    std::vector<std::int16_t> s((bytes.size() - from) / 2);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<std::int16_t>(bytes[from + 2 * i] | bytes[from + 2 * i + 1] << 8);
    return s;
}

// Signal-to-difference ratio in dB over the shorter of the two.
double Snr(const std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        signal += double(b[i]) * b[i];
        noise += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    }
    return noise == 0 ? 99 : 10 * std::log10(signal / noise);
}

RecordingOutcome Convert(const std::string& in, const std::string& out, bool pad = false) {
    NullProgress progress;
    return PrepareRecording(in, out, {pad}, true, progress);
}

TEST(RecordingConvert, SongsBecomeTheRecordingOrvaneTakes) {
    if (!test::HaveTools("ffmpeg sox")) GTEST_SKIP() << "ffmpeg or sox is not installed";
    struct Case {
        const char* name;
        const char* file;
        std::string make;       // command writing OUT
        const char* reference;  // ffmpeg's filter for the same conversion
    };
    const std::string sine = "-f lavfi -i sine=f=440:d=21 -af 'pan=stereo|c0=c0|c1=0.5*c0' ";
    const char* const soxr = "aresample=resampler=soxr";
    const std::vector<Case> cases = {
        {"mp3", "a.mp3", Ffmpeg(sine + "-c:a libmp3lame OUT"), soxr},
        {"aac in m4a", "a.m4a", Ffmpeg(sine + "-c:a aac OUT"), soxr},
        {"vorbis", "a.ogg", Ffmpeg(sine + "-c:a libvorbis OUT"), soxr},
        {"opus", "a.opus", Ffmpeg(sine + "-c:a libopus OUT"), soxr},
        {"wave 24-bit 48 kHz", "b.wav", Ffmpeg(sine + "-ar 48000 -c:a pcm_s24le OUT"), soxr},
        {"mp3 named .wav", "c.wav", Ffmpeg(sine + "-c:a libmp3lame -f mp3 OUT"), soxr},
        {"flac mono 48 kHz 24-bit", "a.flac",
         "sox -n -r 48000 -b 24 -c 1 OUT synth 21 sine 300 vol 0.3",
         "aresample=resampler=soxr,pan=stereo|c0=c0|c1=c0"},
        {"float wave 5.1 at 96 kHz", "a.wav",
         Ffmpeg("-f lavfi -i sine=f=440:d=21:r=96000 -af 'pan=5.1|c0=c0|c1=0.5*c0|c2=0.2*c0' "
                "-c:a pcm_f32le OUT"),
         soxr},
        {"video", "a.mp4",
         Ffmpeg("-f lavfi -i testsrc=d=21:s=64x48 " + sine + "-c:v mpeg4 -c:a aac OUT"), soxr},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = dir.File(c.file);
        std::string make = c.make;
        make.replace(make.find("OUT"), 3, "'" + in + "'");
        ASSERT_TRUE(test::RunQuiet(make)) << make;
        const std::string out = dir.File("out.wav");
        const RecordingOutcome r = Convert(in, out);
        ASSERT_TRUE(r.ok()) << r.message;
        EXPECT_FALSE(r.shorterThanMinimum);

        WaveNumbers numbers;
        EXPECT_EQ(CheckWaveFile(out, numbers).status, WaveStatus::Accepted);
        EXPECT_EQ(numbers.audioDataOffset, 44);
        EXPECT_EQ(numbers.fileLength, 44 + r.frames * 4);
        const test::Bytes reference = test::Capture(
            Ffmpeg("-i '" + in + "' -af '" + c.reference + "' -ar 44100 -ac 2 -f s16le -"));
        ASSERT_FALSE(reference.empty());
        EXPECT_NEAR(static_cast<double>(r.frames), reference.size() / 4.0, 2);
        EXPECT_GT(Snr(Samples(test::ReadFile(out), 44), Samples(reference, 0)), 60);
    }
}

TEST(RecordingConvert, ShortSongsAreWrittenAsTheyAreOrPadded) {
    if (!test::HaveTools("sox")) GTEST_SKIP() << "sox is not installed";
    test::TempDir dir;
    const std::string in = dir.File("short.ogg");
    ASSERT_TRUE(test::RunQuiet("sox -n -r 44100 -c 2 '" + in + "' synth 5 sine 440 vol 0.5"));
    const std::string plain = dir.File("plain.wav"), padded = dir.File("padded.wav");
    const RecordingOutcome a = Convert(in, plain), b = Convert(in, padded, true);
    ASSERT_TRUE(a.ok() && b.ok()) << a.message << b.message;
    WaveNumbers numbers;
    EXPECT_TRUE(a.shorterThanMinimum);
    EXPECT_NEAR(static_cast<double>(a.frames), 5 * 44100, 100);
    EXPECT_EQ(CheckWaveFile(plain, numbers).status, WaveStatus::TooShort);
    EXPECT_FALSE(b.shorterThanMinimum);
    EXPECT_EQ(b.frames, 20 * 44100);
    EXPECT_EQ(CheckWaveFile(padded, numbers).status, WaveStatus::Accepted);
    const test::Bytes x = test::ReadFile(plain), y = test::ReadFile(padded);
    ASSERT_EQ(y.size(), 44u + 20 * 44100 * 4);
    EXPECT_TRUE(std::equal(x.begin() + 44, x.end(), y.begin() + 44));  // the song, unchanged
    EXPECT_TRUE(std::all_of(y.begin() + static_cast<std::ptrdiff_t>(x.size()), y.end(),
                            [](std::uint8_t v) { return v == 0; }));
}

TEST(RecordingConvert, RefusalsAndStopsLeaveNothingBehind) {
    test::TempDir dir;
    const std::string song = dir.File("song.wav"), picture = dir.File("picture.wav"),
                      kept = dir.File("kept.wav"), out = dir.File("out.wav"),
                      link = dir.File("link.wav");
    test::WriteFile(song, test::MakeWav(44100 * 4 * 3));
    test::WriteFile(picture, test::MakeBmp(test::RandomPicture(1)));
    test::WriteFile(kept, {'k'});
    fs::create_hard_link(song, link);
    test::WriteFile(dir.File("empty"), {});
    test::WriteFile(dir.File("text.mp3"), test::Bytes(5000, 'x'));
    NullProgress none;
    test::StopAfter soon(3), later(40);
    struct Case {
        std::string in, out;
        bool replace;
        ProgressSink& progress;
        ConvertStatus status;
        const char* says;
    };
    const std::vector<Case> cases = {
        {picture, out, true, none, ConvertStatus::NotSupported, "No sound"},
        {dir.File("none.mp3"), out, true, none, ConvertStatus::Unreadable, "No such file"},
        {dir.path().string(), out, true, none, ConvertStatus::Unreadable, "Is a directory"},
        {dir.File("empty"), out, true, none, ConvertStatus::NotSupported, "Not a recording"},
        {dir.File("text.mp3"), out, true, none, ConvertStatus::NotSupported, "Not a recording"},
        {song, song, true, none, ConvertStatus::OutputIsInput, song.c_str()},
        {song, link, true, none, ConvertStatus::OutputIsInput, link.c_str()},
        {song, kept, false, none, ConvertStatus::OutputExists, kept.c_str()},
        {song, out, true, soon, ConvertStatus::Stopped, "Stopped"},
        {song, out, true, later, ConvertStatus::Stopped, "Stopped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in + " -> " + c.out);
        const RecordingOutcome r = PrepareRecording(c.in, c.out, {}, c.replace, c.progress);
        EXPECT_EQ(r.status, c.status) << r.message;
        EXPECT_NE(r.message.find(c.says), std::string::npos) << r.message;
        EXPECT_FALSE(fs::exists(out));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 6);
    }
    EXPECT_EQ(test::ReadFile(kept), test::Bytes{'k'});
    EXPECT_EQ(test::ReadFile(song), test::MakeWav(44100 * 4 * 3));
}

}  // namespace
}  // namespace orvane
