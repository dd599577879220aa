// The job when a file cannot be opened, read or written, and the runner.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <semaphore>

#include "encoder/subcode.h"
#include "job_support.h"

namespace orvane {
namespace {

using test::Bytes;
using test::JobRig;
using test::Messages;

Messages FailedAfter(std::int64_t sectorCount, std::size_t iterations) {
    Messages m = test::ExpectedProgress(sectorCount);
    m.resize(iterations);
    m.emplace_back(JOB_IO_ERROR, 0);
    m.emplace_back(JOB_CANCELLED, 0);
    return m;
}

TEST(CreationJobFailure, RecordingThatCannotBeOpenedCreatesNothing) {
    for (const char* name : {"missing.wav", "."}) {  // absent; a folder
        JobRig rig(3 * kAudioSectorBytes);
        rig.inputs.wavePath = rig.dir.File(name);
        rig.Run();
        EXPECT_EQ(rig.sink.messages, (Messages{{JOB_IO_ERROR, 0}}));
        EXPECT_TRUE(rig.state.readFailed);
        EXPECT_FALSE(rig.state.writeFailed);
        EXPECT_FALSE(rig.state.stopRequested);
        EXPECT_FALSE(std::filesystem::exists(rig.output));
    }
}

TEST(CreationJobFailure, OutputThatCannotBeCreatedLeavesTheRecordingAlone) {
    JobRig rig(3 * kAudioSectorBytes);
    // A regular file where a folder is expected fails for root as well.
    for (const std::string& output : {rig.wave + "/out.cdg", rig.dir.path().string()}) {
        rig.inputs.outputPath = output;
        rig.sink.messages.clear();
        rig.Run();
        EXPECT_EQ(rig.sink.messages, (Messages{{JOB_IO_ERROR, 0}}));
        EXPECT_FALSE(rig.state.readFailed);
        EXPECT_TRUE(rig.state.writeFailed);
        EXPECT_FALSE(rig.state.stopRequested);
    }
    EXPECT_EQ(test::ReadFile(rig.wave), rig.wav);
}

TEST(CreationJobFailure, OutputNamingTheRecordingIsRefusedNotTruncated) {
    JobRig rig(3 * kAudioSectorBytes);
    const std::string link = rig.dir.File("second-name.cdg");
    ASSERT_EQ(::link(rig.wave.c_str(), link.c_str()), 0);
    for (const std::string& output : {rig.wave, link}) {
        rig.inputs.outputPath = output;
        rig.sink.messages.clear();
        rig.Run();
        EXPECT_EQ(rig.sink.messages, (Messages{{JOB_IO_ERROR, 0}}));
        EXPECT_TRUE(rig.state.writeFailed);
        EXPECT_EQ(test::ReadFile(rig.wave), rig.wav);
    }
}

// A pipe nobody feeds, named as the recording, would block a read for ever;
// it must fail like any other read instead. (A pipe or device named as the
// output is refused by the output rule before anything is written: the CLI's
// writer table.)
TEST(CreationJobFailure, PipeInPlaceOfTheRecordingFailsInsteadOfBlocking) {
    JobRig rig(100 * kAudioSectorBytes);
    const std::string fifo = rig.dir.File("stalls");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    rig.inputs.wavePath = fifo;
    rig.Run();
    EXPECT_EQ(rig.sink.messages, FailedAfter(100, 1));
    EXPECT_TRUE(rig.state.readFailed);
    EXPECT_FALSE(rig.state.writeFailed);
}

// Limits the size of files this process writes, for the scope's lifetime.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    bool ok() const { return ok_; }

  private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
    bool ok_ = false;
};

TEST(CreationJobFailure, FullDiskStopsAtTheFirstWrite) {
    JobRig rig(3 * kAudioSectorBytes);
    {
        FileSizeLimit guard(1000);
        ASSERT_TRUE(guard.ok());
        rig.Run();
    }
    EXPECT_EQ(rig.sink.messages, FailedAfter(3, 1));
    EXPECT_FALSE(rig.state.readFailed);
    EXPECT_TRUE(rig.state.writeFailed);
    EXPECT_TRUE(rig.state.stopRequested);
}

TEST(CreationJobFailure, ShortWriteMidRunKeepsWhatWasWritten) {
    JobRig rig(10 * kAudioSectorBytes);
    const std::size_t limit = 3 * kRawSectorBytes + 1000;  // inside sector 3's audio
    {
        FileSizeLimit guard(limit);
        ASSERT_TRUE(guard.ok());
        rig.Run();
    }
    // Iterations: sector 0, tile 0 (sectors 1-2), then sector 3 fails.
    EXPECT_EQ(rig.sink.messages, FailedAfter(10, 3));
    EXPECT_TRUE(rig.state.writeFailed);
    EXPECT_FALSE(rig.state.readFailed);
    EXPECT_TRUE(rig.state.stopRequested);
    Bytes image = test::ReadFile(rig.output);
    ASSERT_EQ(image.size(), limit);
    image.resize(3 * kRawSectorBytes);
    test::ExpectSectors(image, rig, 3);
}

TEST(CreationJobFailure, RecordingThatShrinksIsAShortRead) {
    JobRig rig(10 * kAudioSectorBytes);
    std::size_t progress = 0;
    rig.sink.onSend = [&](JobStatus code, int) {
        // During tile 1 (sectors 3-4): sector 4 is cut short.
        if (code == JOB_PROGRESS && ++progress == 3) {
            std::filesystem::resize_file(rig.wave,
                                         test::WavHeaderBytes() + 4 * kAudioSectorBytes + 100);
        }
    };
    rig.Run();
    EXPECT_EQ(rig.sink.messages, FailedAfter(10, 3));
    EXPECT_TRUE(rig.state.readFailed);
    EXPECT_FALSE(rig.state.writeFailed);
    EXPECT_TRUE(rig.state.stopRequested);
    // Sector 3 and its half of tile 1 are in; nothing of sector 4.
    test::ExpectSectors(test::ReadFile(rig.output), rig, 4);
}

// Holds the job inside its first status until the test lets it go.
class GateSink : public StatusSink {
  public:
    std::binary_semaphore entered{0}, release{0};
    test::RecordingSink record;
    void Send(JobStatus code, int value) override {
        record.Send(code, value);
        if (record.messages.size() == 1) {
            entered.release();
            release.acquire();
        }
    }
};

TEST(JobRunner, RefusesASecondStartWhileTheFirstRuns) {
    JobRig rig(3 * kAudioSectorBytes);
    GateSink sink;
    JobRunner runner;
    rig.state.stopRequested = false;
    ASSERT_EQ(runner.Start(rig.inputs, rig.state, sink), JobRunner::StartResult::Started);
    sink.entered.acquire();
    EXPECT_TRUE(runner.IsRunning());
    EXPECT_EQ(runner.Start(rig.inputs, rig.state, sink), JobRunner::StartResult::StillRunning);
    sink.release.release();
    runner.Wait();
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(sink.record.messages,
              (Messages{{JOB_PROGRESS, 33}, {JOB_PROGRESS, 66}, {JOB_COMPLETED, 0}}));
    test::ExpectSectors(test::ReadFile(rig.output), rig, 3);

    // Once ended, the next run may start; a stop already set cancels it.
    rig.state.stopRequested = true;
    test::RecordingSink second;
    bool runningDuringFinalStatus = false;
    second.onSend = [&](JobStatus, int) { runningDuringFinalStatus = runner.IsRunning(); };
    ASSERT_EQ(runner.Start(rig.inputs, rig.state, second), JobRunner::StartResult::Started);
    runner.Wait();
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(second.messages, (Messages{{JOB_CANCELLED, 0}}));
    EXPECT_TRUE(runningDuringFinalStatus);  // it ends only once that status is handled
}

// A job that does not return (stuck in a read on a stalled mount, here held
// in a send) is waited for a bounded time only.
TEST(JobRunner, WaitsForAStuckJobOnlyAsLongAsAsked) {
    JobRig rig(3 * kAudioSectorBytes);
    GateSink sink;
    JobRunner runner;
    rig.state.stopRequested = false;
    ASSERT_EQ(runner.Start(rig.inputs, rig.state, sink), JobRunner::StartResult::Started);
    sink.entered.acquire();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(runner.WaitFor(std::chrono::milliseconds(200)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_TRUE(runner.IsRunning());
    sink.release.release();
    EXPECT_TRUE(runner.WaitFor(std::chrono::seconds(30)));
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_TRUE(runner.WaitFor(std::chrono::milliseconds(0)));  // nothing left to wait for
}

}  // namespace
}  // namespace orvane
