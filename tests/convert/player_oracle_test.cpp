// From a cover JPEG and an MP3 to a disc image: both converted, checked as
// chosen files are, encoded, and played by ffmpeg's CD+G decoder, which must
// show exactly the converted picture.
#include <gtest/gtest.h>

#include "convert/picture_convert.h"
#include "convert/recording_convert.h"
#include "encoder/creation_job.h"
#include "encoder/subcode.h"
#include "input/bitmap_reader.h"
#include "input/wave_reader.h"
#include "media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

class IgnoreStatus : public StatusSink {
  public:
    void Send(JobStatus, int) override {}
};

TEST(ConvertedFiles, MakeAnImageThePlayerShowsAsConverted) {
    if (!test::HaveTools("ffmpeg convert")) GTEST_SKIP() << "ffmpeg or ImageMagick missing";
    test::TempDir dir;
    const std::string jpeg = dir.File("cover.jpg"), mp3 = dir.File("song.mp3");
    ASSERT_TRUE(
        test::RunQuiet("convert -size 500x500 -seed 3 plasma:red-blue -fill yellow -draw "
                       "'circle 250,250 250,100' '" +
                       jpeg + "'"));
    ASSERT_TRUE(test::RunQuiet(
        test::Ffmpeg("-f lavfi -i sine=f=330:d=22 -ac 2 -c:a libmp3lame '" + mp3 + "'")));
    NullProgress progress;
    PictureOptions options;
    options.background = {200, 40, 90};
    ASSERT_TRUE(PreparePicture(jpeg, dir.File("cover.bmp"), options, false, progress).ok());
    ASSERT_TRUE(PrepareRecording(mp3, dir.File("song.wav"), {}, false, progress).ok());

    JobInputs inputs;
    ASSERT_EQ(ReadBitmapFile(dir.File("cover.bmp"), inputs.picture).status, BitmapStatus::Accepted);
    WaveNumbers numbers;
    ASSERT_EQ(CheckWaveFile(dir.File("song.wav"), numbers).status, WaveStatus::Accepted);
    inputs.wavePath = dir.File("song.wav");
    inputs.outputPath = dir.File("disc.bin");
    inputs.audioDataOffset = numbers.audioDataOffset;
    inputs.audioByteCount = numbers.fileLength - numbers.audioDataOffset;
    JobState state;
    state.stopRequested = false;
    IgnoreStatus sink;
    CreationJob(inputs, state, sink);

    const test::Bytes image = test::ReadFile(inputs.outputPath);
    const test::Bytes wav = test::ReadFile(inputs.wavePath);
    test::Bytes cdg;
    for (std::size_t at = 0; at + kRawSectorBytes <= image.size(); at += kRawSectorBytes) {
        ASSERT_TRUE(std::equal(image.begin() + at, image.begin() + at + kAudioSectorBytes,
                               wav.begin() + 44 + at / kRawSectorBytes * kAudioSectorBytes));
        cdg.insert(cdg.end(), image.begin() + at + kAudioSectorBytes,
                   image.begin() + at + kRawSectorBytes);
    }
    test::WriteFile(dir.File("disc.cdg"), cdg);
    // One frame per graphics packet: only the last is converted and kept.
    std::size_t graphics = 0;
    for (std::size_t at = 0; at < cdg.size(); at += sizeof(SubcodePacket))
        graphics += (cdg[at] & 0x3F) == CDG_COMMAND;
    const test::Pixels frames = test::Capture(test::Ffmpeg(
        "-f cdg -i '" + dir.File("disc.cdg") + "' -vf 'select=gte(n\\," +
        std::to_string(graphics - 1) + ")' -fps_mode passthrough -f rawvideo -pix_fmt rgb24 -"));
    constexpr std::size_t kFrame = 300 * 216 * 3;
    ASSERT_GE(frames.size(), kFrame);
    const std::uint8_t* last = frames.data() + frames.size() - kFrame;
    test::Pixels shown;
    for (int y = 0; y < 192; ++y)
        shown.insert(shown.end(), last + ((y + 12) * 300 + 6) * 3,
                     last + ((y + 12) * 300 + 294) * 3);
    EXPECT_EQ(shown, test::ScreenRgb(inputs.picture));
    // A square cover is fitted between bars of the background, as a player
    // shows it (each component's high four bits).
    EXPECT_EQ(test::Pixels(shown.begin(), shown.begin() + 3), (test::Pixels{204, 34, 85}));
}

}  // namespace
}  // namespace orvane
