// orvane-cli's export command and the create form's --toc, in-process.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_run.h"
#include "export_rig.h"

namespace orvane {
namespace {

using test::CliRun;
using test::RunCliInProcess;

TEST(ExportCli, WritesWhatItIsToldAndExitsAsCreateDoes) {
    struct Case {
        const char* name;
        std::vector<std::string> args;  // after "export IMAGE"; "@" is the folder
        int status;
        std::vector<std::string> written;  // in the folder, besides the image and the recording
        const char* says;
        bool interrupted = false;
    };
    const Case cases[] = {
        {"no target", {}, 0, {"song.cdg", "song.mp3"}, "Exported: @/song.mp3\n"},
        {"bundles and toc",
         {"--zip", "--wav-zip", "--toc", "--quiet"},
         0,
         {"song (WAV+G).zip", "song.toc", "song.zip"},
         ""},
        {"named",
         {"--wav", "@/x.wav", "--mp3=@/x.mp3", "--bitrate", "128"},
         0,
         {"x.mp3", "x.wav"},
         "Exported: @/x.wav\n"},
        {"exists", {"--cdg", "@/in.wav"}, 1, {}, "in.wav exists already, use --force"},
        {"bit rate", {"--bitrate", "100"}, 2, {}, "--bitrate"},
        {"cannot write", {"--toc", "@/in.wav/x.toc"}, 3, {}, "x.toc: Not a directory"},
        {"stopped", {"--wav"}, 130, {}, "Export stopped", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ImageRig rig(300);
        const std::string dir = rig.dir.path().string();
        auto expand = [&](std::string s) {
            for (std::size_t at; (at = s.find('@')) != std::string::npos;) s.replace(at, 1, dir);
            return s;
        };
        std::vector<std::string> args = {"export", rig.image};
        for (const std::string& a : c.args) args.push_back(expand(a));
        const CliRun run = RunCliInProcess(args, c.interrupted);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(expand(c.says)), std::string::npos) << run.err;
        std::vector<std::string> expected = c.written;
        expected.insert(expected.end(), {"in.wav", "song.img"});
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(test::Listing(dir), expected);
    }
}

TEST(ExportCli, CreateWritesTheTocAfterACompletedRun) {
    test::TempDir dir;
    const std::string bmp = dir.File("cover.bmp"), wav = dir.File("song.wav"),
                      out = dir.File("disc.cdg"), toc = dir.File("disc.toc");
    test::WriteFile(bmp, test::MakeBmp(test::RandomPicture(3)));
    test::WriteFile(wav, test::MakeWav(1600 * 2352));
    test::WriteFile(toc, {1});
    CliRun run = RunCliInProcess({"--toc", bmp, wav, out});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("disc.toc exists, use --force"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    run = RunCliInProcess({"--toc", "--force", bmp, wav, out}, false, true);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Completed\n"), std::string::npos);
    EXPECT_NE(run.err.find("Exported: " + toc), std::string::npos) << run.err;
    EXPECT_EQ(test::Capture("cdrdao toc-size '" + toc + "' 2>/dev/null"), "1600\n");
}

// The real program, stopped by SIGINT while it encodes: no file is left, not
// even a hidden temporary one.
TEST(ExportCli, InterruptedProgramLeavesNoFile) {
    test::TempDir dir;
    const std::string image = dir.File("long.img");
    test::Bytes first(4 * 2448, 0);
    test::AddPresets(first);
    test::WriteFile(image, first);
    std::filesystem::resize_file(image, 40000 * 2448);  // nine minutes of silence
    int status = -1;
    // --foreground: one SIGINT to the program, as Ctrl+C gives. Without it
    // timeout signals its whole process group as well, and a second signal
    // ends the program at once, leaving its hidden temporary files.
    test::Capture(std::string("timeout --foreground --preserve-status -s INT 0.5 ") +
                      ORVANE_CLI_PATH + " export '" + image +
                      "' --mp3 --zip --wav-zip --toc 2>/dev/null",
                  &status);
    EXPECT_EQ(status, 130);
    EXPECT_EQ(test::Listing(dir.path().string()), std::vector<std::string>{"long.img"});
}

}  // namespace
}  // namespace orvane
