// orvane-cli's prepare commands and the create form's --convert: options,
// exit statuses, texts, and the temporary files --convert leaves nowhere.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/cli_app.h"
#include "input/bitmap_reader.h"
#include "input/wave_reader.h"
#include "media_tools.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string err;
};

class PrepareCli : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!test::HaveTools("ffmpeg convert")) GTEST_SKIP() << "ffmpeg or ImageMagick missing";
        ASSERT_TRUE(test::RunQuiet("convert -size 640x480 gradient:teal-orange '" + jpeg + "'"));
        ASSERT_TRUE(
            test::RunQuiet(test::Ffmpeg("-f lavfi -i sine=d=21 -c:a libmp3lame '" + mp3 + "'")));
        ASSERT_TRUE(test::RunQuiet(test::Ffmpeg("-f lavfi -i sine=d=3 '" + shortWav + "'")));
        fs::create_directory(scratch);
        setenv("TMPDIR", scratch.c_str(), 1);
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    CliRun Cli(std::vector<std::string> args) {
        args.insert(args.begin(), "orvane-cli");
        std::vector<const char*> argv;
        for (const auto& a : args) argv.push_back(a.c_str());
        std::ostringstream out, err;
        JobState state;
        std::atomic<bool> interrupted{false};
        CliEnvironment env{
            out, err, false, {}, [](const std::string&) { return UINT64_MAX; }, state, interrupted};
        return {RunCli(static_cast<int>(argv.size()), argv.data(), env), err.str()};
    }
    bool ScratchEmpty() const { return fs::is_empty(scratch); }

    test::TempDir dir;
    std::string jpeg = dir.File("cover.jpg"), mp3 = dir.File("song.mp3"),
                shortWav = dir.File("short.wav"), bmp = dir.File("out.bmp"),
                wav = dir.File("out.wav"), image = dir.File("disc.bin"), scratch = dir.File("tmp");
};

TEST_F(PrepareCli, CommandsTheirOptionsAndExitStatuses) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;  // in stderr
    };
    const std::vector<Case> cases = {
        {{"prepare-picture", jpeg, bmp}, 0, "Picture converted: "},
        {{"prepare-picture", jpeg, bmp}, 1, "Output file exists, use --force"},
        {{"prepare-picture", jpeg, bmp, "--fill", "--background", "#a0B0c0", "--force"}, 0, ""},
        {{"prepare-picture", jpeg, bmp, "--stretch", "--no-dither", "--force", "--quiet"}, 0, ""},
        {{"prepare-picture", jpeg, bmp, "--fill", "--stretch"}, 2, "excludes"},
        {{"prepare-picture", jpeg, bmp, "--background", "12345"}, 2, "RRGGBB"},
        {{"prepare-picture", jpeg, jpeg, "--force"}, 1, "may not be the input"},
        {{"prepare-picture", mp3, dir.File("x.bmp")}, 1, "Not a picture"},
        {{"prepare-recording", mp3, wav}, 0, "Recording converted: "},
        {{"prepare-recording", jpeg, dir.File("x.wav")}, 1, "No sound"},
        {{"prepare-recording", shortWav, wav, "--force"}, 0, "Shorter than 20 seconds"},
        {{"prepare-recording", shortWav, wav, "--force", "--pad"}, 0, "silence added up to 0:20"},
        {{"prepare-recording", mp3}, 2, "OUT is required"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args.back());
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    Picture picture;
    WaveNumbers numbers;
    EXPECT_EQ(ReadBitmapFile(bmp, picture).status, BitmapStatus::Accepted);
    EXPECT_EQ(CheckWaveFile(wav, numbers).status, WaveStatus::Accepted);
    EXPECT_FALSE(fs::exists(dir.File("x.bmp")) || fs::exists(dir.File("x.wav")));
}

TEST_F(PrepareCli, ConvertMakesTheImageFromEverydayFilesAndCleansUp) {
    const CliRun made = Cli({"--convert", jpeg, mp3, image});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.err.find("Completed"), std::string::npos) << made.err;
    EXPECT_EQ(fs::file_size(image) % 2448, 0u);
    EXPECT_GE(fs::file_size(image), 21u * 75 * 2448 - 2448);
    EXPECT_TRUE(ScratchEmpty());

    struct Case {
        std::vector<std::string> args;
        int status;
        const char* says;
    };
    const test::Bytes cover = test::ReadFile(jpeg);
    const std::vector<Case> refused = {
        {{"--convert", jpeg, jpeg, dir.File("a.bin")}, 1, "Not a recording"},
        {{"--convert", jpeg, shortWav, dir.File("b.bin")}, 1, "too short"},
        {{"--convert", "--force", jpeg, mp3, jpeg}, 1, "must differ"},
        {{jpeg, mp3, dir.File("c.bin")}, 1, "Invalid BMP"},  // no --convert: checked as it is
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.args.back());
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(ScratchEmpty());
    }
    EXPECT_EQ(test::ReadFile(jpeg), cover);
    EXPECT_FALSE(fs::exists(dir.File("a.bin")) || fs::exists(dir.File("b.bin")));
}

// The real program, stopped by SIGTERM at several moments of its run.
TEST_F(PrepareCli, ConvertCleansUpWhenStoppedBySignal) {
    const std::string longSong = dir.File("long.flac");
    ASSERT_TRUE(test::RunQuiet(test::Ffmpeg("-f lavfi -i sine=d=600 -ac 2 '" + longSong + "'")));
    int stopped = 0;
    for (int delayMs : {0, 100, 300}) {
        SCOPED_TRACE(delayMs);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            execl(ORVANE_CLI_PATH, "orvane-cli", "--quiet", "--force", "--convert", jpeg.c_str(),
                  longSong.c_str(), image.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        // From the moment its scratch folder exists, the program handles the signal.
        for (int i = 0; i < 500 && ScratchEmpty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(pid, SIGTERM);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_TRUE(WEXITSTATUS(status) == 130 || WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
        stopped += WEXITSTATUS(status) == 130;
        EXPECT_TRUE(ScratchEmpty());
    }
    EXPECT_GE(stopped, 2);
}

}  // namespace
}  // namespace orvane
