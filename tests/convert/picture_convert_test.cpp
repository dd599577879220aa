// Picture conversion on files ImageMagick makes at test time: every format
// and depth, orientation, the three fits, transparency, dithering, and bad
// input. Results are read back with Orvane's own check.
#include "convert/picture_convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "input/bitmap_reader.h"
#include "media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// A 3:2 picture with smooth parts, edges and an asymmetric mark, so a
// mirrored or turned result shows.
const char* const kScene =
    "-size 600x400 gradient:navy-gold -fill red -draw 'circle 300,200 300,90' "
    "-fill white -draw 'rectangle 30,30 200,120' -fill green -draw 'rectangle 450,300 590,390'";

struct Converted {
    ConvertOutcome outcome;
    BitmapOutcome check;
    Picture picture;
};

Converted ConvertFile(const std::string& in, const std::string& out, PictureOptions options = {}) {
    Converted c;
    NullProgress progress;
    c.outcome = PreparePicture(in, out, options, true, progress);
    if (c.outcome.ok()) c.check = ReadBitmapFile(out, c.picture);
    return c;
}

TEST(PictureConvert, EveryFormatAndDepthBecomesTheBitmapOrvaneTakes) {
    if (!test::HaveTools("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    struct Case {
        const char* name;
        const char* output;  // ImageMagick's output options and file
    };
    const std::vector<Case> cases = {
        {"png", "PNG24:a.png"},
        {"png 16-bit", "-depth 16 PNG48:b.png"},
        {"png palette", "PNG8:c.png"},
        {"jpeg", "-quality 92 a.jpg"},
        {"jpeg progressive", "-interlace Plane b.jpg"},
        {"jpeg grey", "-colorspace Gray c.jpg"},
        {"jpeg 11 MP, decoded reduced", "-resize 4080x2720! d.jpg"},
        {"webp lossy", "-quality 90 a.webp"},
        {"webp lossless", "-define webp:lossless=true b.webp"},
        {"gif", "a.gif"},
        {"tiff", "-compress none a.tif"},
        {"tiff 16-bit lzw", "-depth 16 -compress lzw b.tif"},
        {"bmp 24-bit", "BMP3:a.bmp"},
        {"bmp 8-bit", "-type Palette BMP3:b.bmp"},
        {"bmp 1-bit", "-monochrome BMP3:c.bmp"},
        {"png named .jpg", "PNG24:png.jpg"},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string made = c.output;
        const std::string file = dir.File(made.substr(made.find_last_of(" :") + 1));
        const std::string target = made.substr(0, made.find_last_of(" :") + 1) + "'" + file + "'";
        ASSERT_TRUE(test::RunQuiet("convert " + std::string(kScene) + " " + target));
        const Converted r = ConvertFile(file, dir.File("out.bmp"));
        ASSERT_TRUE(r.outcome.ok()) << r.outcome.message;
        EXPECT_EQ(r.check.status, BitmapStatus::Accepted) << r.check.boxText;
        EXPECT_EQ(fs::file_size(dir.File("out.bmp")), 27766u);
        const double psnr = test::Psnr(test::ScreenRgb(r.picture), test::ResizedReference(file));
        // About 28 dB; a mirrored, turned or miscoloured result is below 15.
        EXPECT_GE(psnr, 24.0);
    }
}

// An EXIF block holding only the orientation tag, put right after the JPEG's
// start marker as cameras do: a little-endian TIFF whose one IFD at 8 holds
// one entry, 0x0112 SHORT count 1, and no next IFD.
void AddOrientation(const std::string& jpeg, int orientation) {
    test::Bytes file = test::ReadFile(jpeg);
    test::Bytes segment = {0xFF, 0xE1, 0, 34, 'E', 'x', 'i', 'f', 0,    0,    'I', 'I',
                           42,   0,    8, 0,  0,   0,   1,   0,   0x12, 0x01, 3,   0,
                           1,    0,    0, 0,  0,   0,   0,   0,   0,    0,    0,   0};
    segment[28] = static_cast<std::uint8_t>(orientation);
    file.insert(file.begin() + 2, segment.begin(), segment.end());
    test::WriteFile(jpeg, file);
}

TEST(PictureConvert, JpegIsTurnedUprightByItsOrientationTag) {
    if (!test::HaveTools("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    // How the camera stored the upright scene for each orientation value.
    const char* const stored[] = {"",           "-flop",       "-rotate 180", "-flip",
                                  "-transpose", "-rotate -90", "-transverse", "-rotate 90"};
    test::TempDir dir;
    const std::string upright = dir.File("upright.png");
    ASSERT_TRUE(test::RunQuiet("convert " + std::string(kScene) + " PNG24:'" + upright + "'"));
    const test::Pixels reference = test::ResizedReference(upright);
    for (int o = 1; o <= 8; ++o) {
        SCOPED_TRACE(o);
        const std::string jpeg = dir.File("o" + std::to_string(o) + ".jpg");
        ASSERT_TRUE(
            test::RunQuiet("convert '" + upright + "' " + stored[o - 1] + " '" + jpeg + "'"));
        AddOrientation(jpeg, o);
        const Converted r = ConvertFile(jpeg, dir.File("out.bmp"));
        ASSERT_TRUE(r.outcome.ok()) << r.outcome.message;
        EXPECT_GE(test::Psnr(test::ScreenRgb(r.picture), reference), 24.0);
        // ImageMagick's -auto-orient reads the tag the same way.
        EXPECT_GE(test::Psnr(test::ScreenRgb(r.picture), test::ResizedReference(jpeg)), 24.0);
    }
}

TEST(PictureConvert, FitFillStretchAndTransparencyMatchImageMagickOnTheBackground) {
    if (!test::HaveTools("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const std::string thirds = dir.File("thirds.png"), half = dir.File("half.png"),
                      gif = dir.File("half.gif");
    // 3:1, red | green | blue; and 3:2, red | transparent.
    ASSERT_TRUE(
        test::RunQuiet("convert -size 200x200 xc:red xc:lime xc:blue +append '" + thirds + "'"));
    ASSERT_TRUE(
        test::RunQuiet("convert -size 150x200 xc:red xc:none +append PNG32:'" + half + "'"));
    ASSERT_TRUE(test::RunQuiet("convert '" + half + "' '" + gif + "'"));
    const struct {
        std::string name, file;
        FitMode fit;
        const char* geometry;  // ImageMagick's for the same shape
    } cases[] = {
        {"fit", thirds, FitMode::Fit, "288x192"},
        {"fill", thirds, FitMode::Fill, "288x192^"},
        {"stretch", thirds, FitMode::Stretch, "288x192!"},
        {"png alpha", half, FitMode::Fit, "288x192"},
        {"gif transparency", gif, FitMode::Fit, "288x192"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PictureOptions options;
        options.fit = c.fit;
        ASSERT_TRUE(ParseColour("3a6C9F", options.background));
        const Converted r = ConvertFile(c.file, dir.File("out.bmp"), options);
        ASSERT_TRUE(r.outcome.ok()) << r.outcome.message;
        // 34 to 45 dB; a picture 6 % too small, a crop 12 pixels off or a
        // background 48 levels off in one component is near 20 dB or below.
        // (The exact background a player shows: player_oracle_test.cpp.)
        EXPECT_GE(test::Psnr(test::ScreenRgb(r.picture),
                             test::ResizedReference(c.file, c.geometry, "#3a6c9f")),
                  30.0);
    }
}

TEST(PictureConvert, DitheringSpreadsErrorsAndCanBeSwitchedOff) {
    if (!test::HaveTools("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const std::string ramp = dir.File("ramp.png");
    ASSERT_TRUE(
        test::RunQuiet("convert -size 400x600 gradient:white-black -rotate 90 '" + ramp + "'"));
    for (bool dither : {false, true}) {
        SCOPED_TRACE(dither);
        PictureOptions options;
        options.dither = dither;
        const Converted r = ConvertFile(ramp, dir.File("out.bmp"), options);
        ASSERT_TRUE(r.outcome.ok()) << r.outcome.message;
        int changes = 0;
        for (int x = 1; x < 288; ++x)
            changes += PixelAt(r.picture, x, 100) != PixelAt(r.picture, x - 1, 100);
        // Without dithering a ramp is 16 plain bands; with it, bands mix.
        if (dither)
            EXPECT_GT(changes, 60);
        else
            EXPECT_LE(changes, 15);
        EXPECT_GE(test::Psnr(test::ScreenRgb(r.picture), test::ResizedReference(ramp)),
                  dither ? 28.0 : 26.0);
    }
}

// A file whose header claims `width` x `height`: a real small file of that
// kind with its size fields rewritten (formats without checksums).
void ClaimSize(const std::string& path, std::size_t at, int width, int height, bool bigEndian,
               int bytes) {
    test::Bytes file = test::ReadFile(path);
    auto put = [&](std::size_t pos, int v) {
        for (int i = 0; i < bytes; ++i)
            file[pos + (bigEndian ? bytes - 1 - i : i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(at, bigEndian ? height : width);
    put(at + bytes, bigEndian ? width : height);
    test::WriteFile(path, file);
}

std::size_t JpegSofAt(const test::Bytes& f) {
    for (std::size_t i = 2; i + 9 < f.size(); ++i)
        if (f[i] == 0xFF && (f[i + 1] == 0xC0 || f[i + 1] == 0xC2)) return i + 5;  // height, width
    return 0;
}

// FFmpeg takes a JPEG whose data is far too short for its size as damaged;
// comment blocks make it as long as a real one of that size could be.
void PadJpeg(const std::string& path) {
    test::Bytes file = test::ReadFile(path);
    test::Bytes comment(2 + 65535, ' ');  // marker, then a length that counts itself
    comment[0] = 0xFF;
    comment[1] = 0xFE;
    comment[2] = 0xFF;
    comment[3] = 0xFF;
    for (int i = 0; i < 8; ++i) file.insert(file.begin() + 2, comment.begin(), comment.end());
    test::WriteFile(path, file);
}

TEST(PictureConvert, BadPicturesAreRefusedWithTheReasonAndNothingIsWritten) {
    if (!test::HaveTools("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const auto file = [&](const char* name) { return dir.File(name); };
    test::WriteFile(file("empty.png"), {});
    test::WriteFile(file("text.jpg"), test::Bytes(4000, 'x'));
    test::WriteFile(file("sound.png"), test::MakeWav(44100));
    ASSERT_TRUE(
        test::RunQuiet("convert " + std::string(kScene) + " PNG24:'" + file("cut.png") + "'"));
    test::Bytes png = test::ReadFile(file("cut.png"));
    png.resize(png.size() / 3);
    test::WriteFile(file("cut.png"), png);
    ASSERT_TRUE(test::RunQuiet("convert -size 64x48 xc:gray '" + file("huge.jpg") + "'"));
    ASSERT_TRUE(test::RunQuiet("convert -size 64x48 xc:gray BMP3:'" + file("huge.bmp") + "'"));
    ClaimSize(file("huge.jpg"), JpegSofAt(test::ReadFile(file("huge.jpg"))), 12000, 9000, true, 2);
    PadJpeg(file("huge.jpg"));
    ClaimSize(file("huge.bmp"), 18, 12000, 9000, false, 4);
    struct Case {
        std::string path;
        std::vector<ConvertStatus> status;  // any of these
        const char* says;
    };
    using S = ConvertStatus;
    const std::vector<Case> cases = {
        {file("missing.png"), {S::Unreadable}, "No such file"},
        {dir.path().string(), {S::Unreadable}, "Is a directory"},
        {file("empty.png"), {S::NotSupported}, "Not a picture"},
        {file("text.jpg"), {S::NotSupported}, "Not a picture"},
        {file("sound.png"), {S::NotSupported}, "no picture"},
        {file("cut.png"), {S::Damaged, S::NotSupported}, ""},
        {file("huge.jpg"), {S::TooLarge}, "12000 x 9000"},
        {file("huge.bmp"), {S::TooLarge}, "100 megapixels"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const Converted r = ConvertFile(c.path, file("out.bmp"));
        EXPECT_NE(std::find(c.status.begin(), c.status.end(), r.outcome.status), c.status.end())
            << static_cast<int>(r.outcome.status) << " " << r.outcome.message;
        EXPECT_NE(r.outcome.message.find(c.says), std::string::npos) << r.outcome.message;
        EXPECT_FALSE(fs::exists(file("out.bmp")));
    }
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

TEST(PictureConvert, StopsAtAnyPointAndLeavesNothing) {
    if (!test::HaveTools("convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const std::string in = dir.File("a.jpg"), out = dir.File("out.bmp");
    ASSERT_TRUE(test::RunQuiet("convert " + std::string(kScene) + " '" + in + "'"));
    int stopped = 0;
    for (int polls = 0; polls < 1000000; polls = polls * 3 / 2 + 1) {
        test::StopAfter progress(polls);
        const ConvertOutcome r = PreparePicture(in, out, {}, true, progress);
        if (r.ok()) break;
        ++stopped;
        EXPECT_EQ(r.status, ConvertStatus::Stopped) << r.message;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
    EXPECT_GT(stopped, 3);
    EXPECT_TRUE(fs::exists(out));  // with enough polls allowed it finishes
}

}  // namespace
}  // namespace orvane
