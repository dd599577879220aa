// The real orvane-cli as a child process: a whole run, a stop by signal, and
// the progress line on a terminal (under script(1)).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "cli/cli_child.h"
#include "cli/image_check.h"
#include "input/wave_reader.h"
#include "support/fixtures.h"

namespace orvane::test {
namespace {

std::string ReadText(const std::string& path) {
    const Bytes b = ReadFile(path);
    return std::string(b.begin(), b.end());
}

class CliBinaryTest : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(bmp_, MakeBmp(RandomPicture(3))); }

    TempDir dir_;
    std::string bmp_ = dir_.File("cover.bmp");
    std::string wav_ = dir_.File("song.wav");
    std::string out_ = dir_.File("disc.cdg");
    std::string errFile_ = dir_.File("stderr.txt");
};

TEST_F(CliBinaryTest, CompleteRunWithStderrInAFile) {
    const std::size_t audio = kMinimumAudioBytes + 5 * 2352;
    WriteFile(wav_, MakeWav(audio));
    ASSERT_EQ(RunCliChild({bmp_, wav_, out_}, {.errPath = errFile_}).status, 0);
    const std::string err = ReadText(errFile_);
    EXPECT_EQ(err.find('\r'), std::string::npos) << "progress drawn on a file";
    EXPECT_EQ(err.find("Progress"), std::string::npos);
    const auto lines = SplitLines(err);
    ASSERT_EQ(lines.size(), 4u) << err;
    EXPECT_TRUE(lines.back().ends_with("]   Completed")) << lines.back();
    ExpectImageOfRecording(out_, audio);
}

// In the child: a full disk after `limit` bytes of any file it writes.
// A full disk in the middle of the image, made with a file size limit: the
// short write must end the run as a failure, not as a success.
TEST_F(CliBinaryTest, ShortWriteMidRunIsAWriteError) {
    WriteFile(wav_, MakeWav(kMinimumAudioBytes));
    const rlim_t limit = 100 * 2448 + 1000;  // ends inside sector 100
    const pid_t pid = StartCli({bmp_, wav_, out_}, {.errPath = errFile_, .fileLimit = limit}).pid;
    EXPECT_EQ(FinishCli({pid}).status, 3);
    const auto lines = SplitLines(ReadText(errFile_));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(lines[lines.size() - 2].ends_with("]   Error writing file"))
        << lines[lines.size() - 2];
    EXPECT_TRUE(lines.back().ends_with("]   Canceled by user")) << lines.back();
    EXPECT_EQ(std::filesystem::file_size(out_), limit);  // left as the failure left it
}

// Started with stderr closed (`2>&-`), the program must not let the
// recording take descriptor 2: the error line of a failed run would be
// written into the audio.
TEST_F(CliBinaryTest, ClosedStderrNeverLeadsLogLinesIntoTheRecording) {
    WriteFile(wav_, MakeWav(kMinimumAudioBytes));
    const Bytes recording = ReadFile(wav_);
    // --quiet: no success line fails first and silences the stream. The
    // limit lies past the point the recording has been read to, so the limit
    // itself would not stop a write there.
    const pid_t pid =
        StartCli({"--quiet", bmp_, wav_, out_}, {.errPath = errFile_,
                                                 .fileLimit = 100 * 2448 + 1000,
                                                 .inChild = [] { close(STDERR_FILENO); }})
            .pid;
    EXPECT_EQ(FinishCli({pid}).status, 3);
    EXPECT_TRUE(ReadFile(wav_) == recording) << "the recording was written to";
}

// Ten minutes of audio: long enough that the signal lands mid-run.
class CliStopTest : public CliBinaryTest, public ::testing::WithParamInterface<int> {};

TEST_P(CliStopTest, StopSignalEndsTheRunOnASectorBoundary) {
    const std::size_t audio = 600 * 176400;
    WriteFile(wav_, MakeWav(audio));
    const pid_t pid = StartCli({bmp_, wav_, out_}, {.errPath = errFile_}).pid;
    ASSERT_GT(pid, 0);
    // Signal once the job has begun writing.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code ec;
    while (std::filesystem::file_size(out_, ec) == 0 || ec) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << ReadText(errFile_);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(pid, GetParam());
    EXPECT_EQ(FinishCli({pid}).status, 130);
    const auto lines = SplitLines(ReadText(errFile_));
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().ends_with("]   Canceled by user")) << lines.back();
    const auto size = std::filesystem::file_size(out_);
    EXPECT_EQ(size % 2448, 0u);
    EXPECT_LT(size, audio / 2352 * 2448) << "the run was not stopped";
}

// The job's thread, found by the name the runner gives it.
pid_t JobThread(pid_t pid) {
    std::error_code ec;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name == "orvane-job") return std::stoi(task.path().filename().string());
    }
    return -1;
}

// A job stuck in a call that never returns (a stalled network mount), made
// here by freezing its thread alone with ptrace: one stop signal ends the
// program after the job's two seconds of grace, a second one at once.
class CliStuckJobTest : public CliBinaryTest, public ::testing::WithParamInterface<int> {};

TEST_P(CliStuckJobTest, StopSignalsEndTheProgramWithoutTheJob) {
    WriteFile(wav_, MakeWav(600 * 176400));
    const pid_t pid = StartCli({bmp_, wav_, out_}, {.errPath = errFile_}).pid;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code ec;
    pid_t job = -1;
    while ((job = JobThread(pid)) < 0 || std::filesystem::file_size(out_, ec) == 0 || ec) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << ReadText(errFile_);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    if (ptrace(PTRACE_SEIZE, job, nullptr, nullptr) != 0) {
        kill(pid, SIGKILL);
        FinishCli({pid}).status;
        GTEST_SKIP() << "ptrace is not allowed here";
    }
    ptrace(PTRACE_INTERRUPT, job, nullptr, nullptr);
    int status = 0;
    ASSERT_EQ(waitpid(job, &status, __WALL), job);
    ASSERT_TRUE(WIFSTOPPED(status));

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < GetParam(); ++i) {
        kill(pid, SIGINT);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    // The frozen thread reports its end to us, its tracer, before the
    // program's own status can be collected.
    while (waitpid(job, &status, __WALL) == job && !WIFEXITED(status) && !WIFSIGNALED(status)) {
    }
    EXPECT_EQ(FinishCli({pid}).status, 130);
    const auto took = std::chrono::steady_clock::now() - start;
    if (GetParam() == 1) {
        EXPECT_GE(took, std::chrono::milliseconds(1900));
        EXPECT_LT(took, std::chrono::seconds(10));
    } else {
        EXPECT_LT(took, std::chrono::milliseconds(1500));
    }
    EXPECT_TRUE(ReadText(errFile_).ends_with("\nCanceled by user\n"));
}

INSTANTIATE_TEST_SUITE_P(Signals, CliStuckJobTest, ::testing::Values(1, 2),
                         [](const auto& info) { return info.param == 1 ? "Once" : "Twice"; });

INSTANTIATE_TEST_SUITE_P(Signals, CliStopTest, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) { return info.param == SIGINT ? "Int" : "Term"; });

TEST_F(CliBinaryTest, ProgressLineOnATerminal) {
    if (access("/usr/bin/script", X_OK) != 0) GTEST_SKIP() << "script(1) is not installed";
    WriteFile(wav_, MakeWav(25 * 176400));  // over 1,537 sectors: the last progress is 100 %
    const std::string command = "/usr/bin/script -qec \"'" + std::string(ORVANE_CLI_PATH) + "' '" +
                                bmp_ + "' '" + wav_ + "' '" + out_ + "'\" /dev/null </dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string screen;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) screen.append(buffer, n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << screen;
    // The terminal turns each line break into "\r\n"; the progress line only
    // ever goes back to its start.
    EXPECT_NE(screen.find("Creating CD+G file...\r\n\r["), std::string::npos) << screen;
    EXPECT_NE(screen.find("]   Progress:   0%\r["), std::string::npos);
    EXPECT_NE(screen.find("]   Progress: 100%\r\n["), std::string::npos);
    EXPECT_TRUE(screen.ends_with("]   Completed\r\n")) << screen.substr(screen.size() - 60);
}

}  // namespace
}  // namespace orvane::test
