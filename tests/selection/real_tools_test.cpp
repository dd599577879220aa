// Files written by common tools, chosen the way a user would: a 16-colour
// BMP from ImageMagick, recordings from sox and from ffmpeg (whose LIST
// chunk puts the audio further in).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "selection/selection_fixture.h"

namespace orvane::test {
namespace {

bool HaveTool(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

bool RunTool(const std::string& command) {
    return std::system((command + " </dev/null >/dev/null 2>&1").c_str()) == 0;
}

std::size_t Find(const Bytes& bytes, std::string_view tag) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return text.find(tag);
}

using RealTools = SelectionFixture;

TEST_F(RealTools, ImageMagickSixteenColourBmpIsLoadedAsItLooks) {
    if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick's convert is not installed";
    const std::string bmp = dir.File("plasma.bmp");
    const std::string rgb = dir.File("plasma.rgb");
    ASSERT_TRUE(
        RunTool("convert -seed 7 -size 288x192 plasma:fractal -colors 16 -type Palette "
                "BMP3:" +
                bmp));
    ASSERT_TRUE(RunTool("convert " + bmp + " -depth 8 rgb:" + rgb));
    ASSERT_EQ(ReadFile(bmp).size(), 27766u);

    effects.Choose(bmp);
    selection.OnBrowseBitmap();
    ASSERT_TRUE(state.bitmapValid);
    EXPECT_EQ(model.bitmapPath, bmp);
    // Every pixel, looked up in the loaded palette, has the colour that
    // ImageMagick itself reads from the file.
    const Bytes colours = ReadFile(rgb);
    ASSERT_EQ(colours.size(), 288u * 192u * 3u);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const PaletteEntry& e = picture.palette[PixelAt(picture, x, y)];
            const std::size_t at = (static_cast<std::size_t>(y) * kPictureWidth + x) * 3;
            ASSERT_EQ((Bytes{e.red, e.green, e.blue}), (Bytes(&colours[at], &colours[at + 3])))
                << "pixel " << x << "," << y;
        }
    }
}

TEST_F(RealTools, SoxRecordingIsAccepted) {
    if (!HaveTool("sox")) GTEST_SKIP() << "sox is not installed";
    const std::string wav = dir.File("sox.wav");
    ASSERT_TRUE(RunTool("sox -n -r 44100 -c 2 -b 16 " + wav + " synth 21 sine 440"));
    effects.Choose(wav);
    selection.OnBrowseWave();
    EXPECT_TRUE(state.waveValid);
    EXPECT_EQ(model.wavePath, wav);
    EXPECT_EQ(state.audioDataOffset, 44);
    EXPECT_EQ(state.waveFileLength, static_cast<std::int64_t>(ReadFile(wav).size()));
}

TEST_F(RealTools, FfmpegRecordingWithListChunkIsAccepted) {
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
    const std::string wav = dir.File("ffmpeg.wav");
    ASSERT_TRUE(
        RunTool("ffmpeg -nostdin -v error -y -f lavfi -i "
                "sine=frequency=440:duration=21:sample_rate=44100 -ac 2 -c:a pcm_s16le " +
                wav));
    const Bytes bytes = ReadFile(wav);
    const std::size_t list = Find(bytes, "LIST");
    const std::size_t data = Find(bytes, "data");
    ASSERT_LT(list, data) << "ffmpeg wrote no LIST chunk before the audio";

    effects.Choose(wav);
    selection.OnBrowseWave();
    EXPECT_TRUE(state.waveValid);
    EXPECT_EQ(state.audioDataOffset, static_cast<std::int64_t>(data + 8));
    EXPECT_GT(state.audioDataOffset, 44);
}

TEST_F(RealTools, SoxMonoAndFfmpegFloatRecordingsAreRefused) {
    if (!HaveTool("sox") || !HaveTool("ffmpeg")) GTEST_SKIP() << "sox or ffmpeg missing";
    const std::string mono = dir.File("mono.wav");
    const std::string wide = dir.File("float.wav");
    ASSERT_TRUE(RunTool("sox -n -r 44100 -c 1 -b 16 " + mono + " synth 30 sine 440"));
    ASSERT_TRUE(
        RunTool("ffmpeg -nostdin -v error -y -f lavfi -i sine=duration=30:sample_rate=44100"
                " -ac 2 -c:a pcm_f32le " +
                wide));
    for (const std::string& path : {mono, wide}) {
        effects.events.clear();
        effects.Choose(path);
        selection.OnBrowseWave();
        EXPECT_FALSE(state.waveValid) << path;
        EXPECT_EQ(model.wavePath, "");
        ASSERT_EQ(effects.events.size(), 4u);
        EXPECT_EQ(effects.events[1], "error:Invalid WAVE format, must be 44.1 kHz/16 bit/stereo");
        EXPECT_EQ(effects.events[2], "log:Invalid WAVE file selected");
    }
}

}  // namespace
}  // namespace orvane::test
