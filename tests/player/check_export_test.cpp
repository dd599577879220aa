// The screen written as a PNG (read back by ffmpeg), and the check of an
// image against its picture: clean, one corrupted subcode byte, bad files.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "cdg_stream.h"
#include "encoder/job_support.h"
#include "player/picture_check.h"
#include "player/screen_export.h"

namespace orvane::test {
namespace {

std::optional<RgbScreen> PngPixels(const std::string& png) {
    const std::string command =
        "ffmpeg -nostdin -v error -i '" + png + "' -f rawvideo -pix_fmt rgb24 -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    RgbScreen rgb{};
    if (!pipe || std::fread(rgb.data(), 1, rgb.size(), pipe.get()) != rgb.size())
        return std::nullopt;
    return rgb;
}

struct Rig {
    JobRig job{1600 * kSectorAudioBytes, 8};
    std::string picture = job.dir.File("picture.bmp");
    Rig() {
        job.Run();
        WriteFile(picture, MakeBmp(job.inputs.picture));
    }
};

TEST(ScreenExport, PngHoldsTheScreenAtTheTimeAsked) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    Rig rig;
    CdgPlayer player;
    ASSERT_FALSE(player.Open(rig.job.output));
    const std::string png = rig.job.dir.File("screen.png");
    const std::pair<std::optional<double>, std::uint64_t> cases[] = {
        {std::nullopt, 1600}, {10.0, 750}, {0.5, 37}, {1000.0, 1600}};
    for (const auto& [at, sectors] : cases) {
        const ScreenExport e = ExportScreen(rig.job.output, png, at);
        ASSERT_EQ(e.status, ExportStatus::Ok) << e.message;
        EXPECT_EQ(e.sectors, sectors);
        CdgScreen screen;
        ASSERT_FALSE(player.ScreenAfter(sectors, screen));
        const auto rgb = PngPixels(png);
        ASSERT_TRUE(rgb);
        EXPECT_EQ(FirstDifference(*rgb, RenderRgb(screen)), "") << sectors;
    }
    EXPECT_EQ(ExportScreen(rig.job.dir.File("none"), png, {}).status, ExportStatus::InputFailed);
    const ScreenExport unwritable = ExportScreen(rig.job.output, rig.job.dir.File("no/x.png"), {});
    EXPECT_EQ(unwritable.status, ExportStatus::WriteFailed);
    EXPECT_EQ(unwritable.message, "No such file or directory");
}

TEST(PictureCheck, CleanImageMatchesAndOneBadByteIsFound) {
    Rig rig;
    const Bytes image = ReadFile(rig.job.output);
    // Sector 101 holds the first half of a tile: a normal tile, then XOR tiles.
    const std::size_t packet = 101 * kRawSectorBytes + kSectorAudioBytes;
    struct Case {
        const char* name;
        std::size_t at;  // the byte changed, or 0: none
        std::uint8_t flip;
        std::uint64_t differing;
    };
    const Case cases[] = {
        {"clean", 0, 0, 0},
        {"one pixel bit of a tile", packet + 4 + 4 + 3, 0x01, 1},
        {"one XOR tile's row", packet + 24 + 4 + 4 + 11, 0x3F, 6},
        {"a parity byte, which players ignore", packet + 2, 0x15, 0},
    };
    const std::string path = rig.job.dir.File("check.cdg");
    for (const Case& c : cases) {
        Bytes bytes = image;
        bytes[c.at] ^= c.flip;
        WriteFile(path, bytes);
        const ImageCheck check = CheckImageFile(path, rig.picture);
        ASSERT_EQ(check.status, CheckStatus::Checked) << c.name << ": " << check.message;
        EXPECT_EQ(check.result.differingPixels, c.differing) << c.name;
        EXPECT_DOUBLE_EQ(check.result.completeSeconds, 1537.0 / 75) << c.name;  // 20.49 s
    }
}

TEST(PictureCheck, FilesThatCannotBeUsedSaySo) {
    Rig rig;
    WriteFile(rig.job.dir.File("small.bmp"), MakeBmp(rig.job.inputs.picture, {.width = 48}));
    struct Case {
        std::string image, picture;
        CheckStatus status;
        std::string message;
    };
    const Case cases[] = {
        {rig.job.output, rig.job.dir.File("none.bmp"), CheckStatus::PictureFailed,
         "No such file or directory"},
        {rig.job.output, rig.job.dir.File("small.bmp"), CheckStatus::PictureFailed,
         "48x192 - 16 color bitmap selected. Only 288x192 - 16 color bitmaps!"},
        {rig.job.output, rig.job.dir.path().string(), CheckStatus::PictureFailed, "Is a directory"},
        {rig.job.wave, rig.picture, CheckStatus::ImageFailed, "No CD+G graphics found"},
        {rig.job.dir.File("none.cdg"), rig.picture, CheckStatus::ImageFailed,
         "No such file or directory"},
    };
    for (const Case& c : cases) {
        const ImageCheck check = CheckImageFile(c.image, c.picture);
        EXPECT_EQ(check.status, c.status) << c.image << " " << c.picture;
        EXPECT_EQ(check.message, c.message);
    }
}

}  // namespace
}  // namespace orvane::test
