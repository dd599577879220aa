// orvane-cli render and check, in-process: texts, exit statuses, the PNG
// read back by ffmpeg, and the pixels a corrupted subcode byte changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cdg_stream.h"
#include "cli/cli_app.h"
#include "encoder/job_support.h"
#include "player/cdg_player.h"

namespace orvane::test {
namespace {

struct CliCase {
    std::vector<std::string> args;
    int status;
    std::string out;            // exactly
    std::string err;            // a part of it
    std::uint64_t sectors = 0;  // render: the PNG shows the screen after these
};

TEST(CliPlayer, RenderAndCheckSayWhatHappened) {
    JobRig rig(1600 * kSectorAudioBytes, 8);
    rig.Run();
    const std::string image = rig.output, picture = rig.dir.File("picture.bmp");
    WriteFile(picture, MakeBmp(rig.inputs.picture));
    const std::string small = rig.dir.File("small.bmp");
    WriteFile(small, MakeBmp(rig.inputs.picture, {.width = 48}));
    // The image with one subcode byte of sector 101 changed: it holds the
    // first half of a tile, a normal tile and then XOR tiles.
    const auto corrupt = [&](const std::string& name, std::size_t at, std::uint8_t flip) {
        Bytes bytes = ReadFile(image);
        bytes[101 * kRawSectorBytes + kSectorAudioBytes + at] ^= flip;
        WriteFile(rig.dir.File(name), bytes);
        return rig.dir.File(name);
    };
    const std::string bad = corrupt("bad.cdg", 4 + 4 + 3, 0x01);           // one pixel of a tile
    const std::string xorRow = corrupt("xor.cdg", 24 + 4 + 4 + 11, 0x3F);  // an XOR tile's row
    const std::string parity = corrupt("parity.cdg", 2, 0x15);             // players ignore parity
    Bytes bytes = ReadFile(image);
    bytes.resize(bytes.size() + 100);
    const std::string tail = rig.dir.File("tail.cdg");
    WriteFile(tail, bytes);
    const std::string png = rig.dir.File("screen.png"), missing = rig.dir.File("none");
    const std::string clean = "Picture complete at 20.49 s\n0 pixels differ\n";
    CdgPlayer player;
    ASSERT_FALSE(player.Open(image));

    const CliCase cases[] = {
        {{"render", image, png},
         0,
         "",
         "Screen at 21.33 s (after sector 1600 of 1600) written: ",
         1600},
        {{"render", image, png, "--at", "10"},
         0,
         "",
         "Screen at 10.00 s (after sector 750 of 1600)",
         750},
        {{"render", tail, png, "--at", "0.5"}, 0, "", "Ignored the last 100 bytes of " + tail, 37},
        {{"render", image, png, "--at", "1e9"}, 0, "", "(after sector 1600 of 1600)", 1600},
        {{"render", missing, png}, 3, "", "Cannot read " + missing + ": No such file or directory"},
        {{"render", image, missing + "/x.png"},
         3,
         "",
         "Cannot write " + missing + "/x.png: No such"},
        {{"render", image, png, "--at", "-1"}, 2, "", "--at: -1 is not a time in seconds"},
        {{"render", image}, 2, "", "OUT.png is required"},
        {{"check", image, picture}, 0, clean, ""},
        {{"check", tail, picture}, 0, clean, "Ignored the last 100 bytes of " + tail},
        {{"check", parity, picture}, 0, clean, ""},
        {{"check", bad, picture}, 1, "Picture complete at 20.49 s\n1 pixel differs\n", ""},
        {{"check", xorRow, picture}, 1, "Picture complete at 20.49 s\n6 pixels differ\n", ""},
        {{"check", rig.wave, picture},
         3,
         "",
         "Cannot read " + rig.wave + ": No CD+G graphics found"},
        {{"check", image, missing}, 3, "", "Cannot use " + missing + ": No such file or directory"},
        {{"check", image, small},
         3,
         "",
         "Cannot use " + small + ": 48x192 - 16 color bitmap selected. Only"},
        {{"check", image, rig.dir.path().string()}, 3, "", ": Is a directory"},
        {{"check", image}, 2, "", "PICTURE is required"},
    };
    for (const CliCase& c : cases) {
        std::vector<const char*> argv = {"orvane-cli"};
        for (const auto& a : c.args) argv.push_back(a.c_str());
        std::ostringstream out, err;
        JobState state;
        std::atomic<bool> interrupted{false};
        CliEnvironment env{out, err, false, {}, {}, state, interrupted};
        std::filesystem::remove(png);
        const int status = RunCli(static_cast<int>(argv.size()), argv.data(), env);
        const std::string what = c.args[0] + " " + c.args.back();
        EXPECT_EQ(status, c.status) << what << "\n" << err.str();
        EXPECT_EQ(out.str(), c.out) << what;
        EXPECT_NE(err.str().find(c.err), std::string::npos) << what << "\n" << err.str();
        EXPECT_EQ(std::filesystem::exists(png), c.sectors > 0) << what;
        if (c.sectors == 0 || !HaveFfmpeg()) continue;
        CdgScreen screen;
        ASSERT_FALSE(player.ScreenAfter(c.sectors, screen));
        const auto rgb = PngPixels(png);
        ASSERT_TRUE(rgb) << what;
        EXPECT_EQ(FirstDifference(*rgb, RenderRgb(screen)), "") << what;
    }
}

}  // namespace
}  // namespace orvane::test
