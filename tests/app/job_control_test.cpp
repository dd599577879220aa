// The Start/Stop decisions and the reactions to the job's statuses.
#include "app/job_control.h"

#include <gtest/gtest.h>

#include "app/activity_log.h"
#include "fake_effects.h"

namespace orvane {
namespace {

using Events = std::vector<std::string>;

class JobControlTest : public testing::Test {
  protected:
    JobState state;
    Picture picture;
    DialogModel model{state, picture};
    test::FakeEffects effects;
    JobControl control{model, effects};

    // All three files chosen: a three-minute recording with a 44-byte header.
    void ChooseAll() {
        state.bitmapValid = state.waveValid = state.outputChosen = true;
        model.bitmapPath = "/in/picture.bmp";
        model.wavePath = "/in/song.wav";
        model.outputPath = "/out/disc.cdg";
        state.audioDataOffset = 44;
        state.waveFileLength = 44 + 31752000;
    }
};

TEST_F(JobControlTest, FileChecksShowOnlyTheFirstMissingChoiceWhileTheButtonReadsStop) {
    struct Case {
        bool bitmap, wave, output;
        const char* box;
    };
    for (const Case c : {Case{false, false, false, "No bitmap file selected"},
                         Case{false, true, true, "No bitmap file selected"},
                         Case{true, false, true, "No WAVE file selected"},
                         Case{true, true, false, "No output file selected"}}) {
        effects.events.clear();
        effects.boxCaption.clear();
        state.stopRequested = true;
        state.bitmapValid = c.bitmap;
        state.waveValid = c.wave;
        state.outputChosen = c.output;
        control.OnStartStop();
        EXPECT_EQ(effects.events,
                  (Events{"caption:&Stop", std::string("error:") + c.box, "caption:&Start"}));
        EXPECT_EQ(effects.boxCaption, Events{"&Stop"});
        EXPECT_FALSE(state.stopRequested);
        EXPECT_EQ(effects.freeQueries, 0);
    }
}

TEST_F(JobControlTest, StartCopiesThePathsLogsAndStartsTheJob) {
    ChooseAll();
    effects.time = std::tm{};
    effects.time->tm_hour = 9;
    effects.time->tm_min = 5;
    effects.time->tm_sec = 7;
    control.OnStartStop();
    EXPECT_EQ(effects.events,
              (Events{"caption:&Stop", "log:[09:05:07]   Creating CD+G file...", "start"}));
    EXPECT_FALSE(state.stopRequested);
    EXPECT_EQ(state.audioByteCount, 31752000);
    EXPECT_EQ(state.jobWavePath, "/in/song.wav");
    EXPECT_EQ(state.jobOutputPath, "/out/disc.cdg");
    ASSERT_EQ(effects.started.size(), 1u);
    EXPECT_EQ(effects.started[0].wavePath, "/in/song.wav");
    EXPECT_EQ(effects.started[0].outputPath, "/out/disc.cdg");
    EXPECT_EQ(effects.started[0].audioDataOffset, 44);
    EXPECT_EQ(effects.started[0].audioByteCount, 31752000);
}

TEST_F(JobControlTest, FreeSpaceEqualToTheImageIsEnoughAndOneByteLessIsNot) {
    ChooseAll();
    state.waveFileLength = 44 + 3528000;  // 1,500 sectors: 3,672,000 bytes
    effects.freeBytes = 3672000;
    control.OnStartStop();
    EXPECT_EQ(effects.started.size(), 1u);

    effects = test::FakeEffects();
    effects.freeBytes = 3672000 - 1;
    control.OnStartStop();
    EXPECT_EQ(effects.events,
              (Events{"caption:&Stop", "error:Not enough diskspace, 1 more bytes needed",
                      "caption:&Start", "log:Insufficient diskspace"}));
    EXPECT_EQ(effects.boxCaption, Events{"&Stop"});
    EXPECT_FALSE(state.stopRequested);
}

TEST_F(JobControlTest, FreeSpaceRuleWorksBeyondFourGibibytes) {
    ChooseAll();
    effects.freeBytes = 5ull << 30;
    control.OnStartStop();
    EXPECT_EQ(effects.started.size(), 1u);

    // A 6 GiB recording and a failed query (0 free): the whole image is short.
    effects = test::FakeEffects();
    effects.freeBytes = 0;
    state.waveFileLength = 44 + (6ll << 30);
    control.OnStartStop();
    const std::uint64_t needed = ((6ull << 30) + 2351) / 2352 * 2448;
    EXPECT_EQ(effects.events.at(1),
              "error:Not enough diskspace, " + std::to_string(needed) + " more bytes needed");
    EXPECT_EQ(state.audioByteCount, 6ll << 30);
}

TEST_F(JobControlTest, OutputThatIsAnInputOrADeviceIsRefusedBeforeAnythingIsOpened) {
    ChooseAll();
    const std::string differ = "Output file must differ from the bitmap and WAVE files";
    for (const auto& [output, box] :
         {std::pair{model.wavePath, differ}, std::pair{model.bitmapPath, differ},
          std::pair{std::string("/dev/null"),
                    std::string("/dev/null is a character device; name a file to write")}}) {
        effects = test::FakeEffects();
        model.outputPath = output;
        control.OnStartStop();
        EXPECT_EQ(effects.events, (Events{"caption:&Stop", "error:" + box,
                                          "log:Invalid output file selected", "caption:&Start"}));
        EXPECT_EQ(effects.freeQueries, 0);
        EXPECT_TRUE(effects.started.empty());
    }
}

TEST_F(JobControlTest, ThreadThatCannotStartIsReported) {
    ChooseAll();
    effects.threadStarts = false;
    control.OnStartStop();
    EXPECT_EQ(effects.events, (Events{"caption:&Stop", "log:Creating CD+G file...",
                                      "error:Could not start the creation job",
                                      "log:Could not start the creation job", "caption:&Start"}));
}

TEST_F(JobControlTest, StopTurnsTheButtonBackAtOnceAndKeepsItDisabledUntilTheJobHasEnded) {
    ChooseAll();
    control.OnStartStop();
    effects.events.clear();
    control.OnStartStop();  // Stop while the job runs
    EXPECT_TRUE(state.stopRequested);
    EXPECT_EQ(effects.events, (Events{"caption:&Start", "disable"}));

    // A press that still arrives while the old job winds down starts nothing.
    control.OnStartStop();
    EXPECT_EQ(effects.started.size(), 1u);
    EXPECT_TRUE(state.stopRequested);

    effects.running = false;
    control.OnJobThreadEnded();
    EXPECT_TRUE(effects.startEnabled);
    control.OnStartStop();
    EXPECT_EQ(effects.started.size(), 2u);
}

TEST_F(JobControlTest, EveryWayARunEndsShowsItsOwnOutcome) {
    // Normal end: caption, success box, then "Completed" and the bar back to 0.
    effects.caption = "&Stop";
    control.OnJobStatus(JOB_PROGRESS, 42);
    control.OnJobStatus(JOB_COMPLETED, 0);
    EXPECT_EQ(effects.events,
              (Events{"progress:42", "caption:&Start", "info:CD+G file successfully created!",
                      "log:Completed", "progress:0"}));

    // A read failure inside the loop, then the cancel that follows it.
    effects = test::FakeEffects();
    effects.caption = "&Stop";
    state.readFailed = true;
    control.OnJobStatus(JOB_IO_ERROR, 0);
    control.OnJobStatus(JOB_CANCELLED, 0);
    EXPECT_EQ(effects.events, (Events{"error:Error reading file", "log:Error reading file",
                                      "caption:&Start", "log:Canceled by user", "progress:0"}));

    // The output cannot be created: the error alone, the bar untouched.
    effects = test::FakeEffects();
    effects.caption = "&Stop";
    state.readFailed = false;
    state.writeFailed = true;
    control.OnJobStatus(JOB_IO_ERROR, 0);
    EXPECT_EQ(effects.events,
              (Events{"error:Error writing file", "log:Error writing file", "caption:&Start"}));

    // Another run holds the output: said as it is, nothing written.
    effects = test::FakeEffects();
    effects.caption = "&Stop";
    state.writeFailed = false;
    state.outputRefused = OutputRefusal::Busy;
    state.jobOutputPath = "/out/disc.cdg";
    control.OnJobStatus(JOB_IO_ERROR, 0);
    const std::string busy =
        "/out/disc.cdg is being written by another run; try again when it has finished";
    EXPECT_EQ(effects.events, (Events{"error:" + busy, "log:" + busy, "caption:&Start"}));
    state.outputRefused = OutputRefusal::None;

    // Stopped by the user: the caption was put back by the press already.
    effects = test::FakeEffects();
    control.OnJobStatus(JOB_CANCELLED, 0);
    control.OnJobStatus(7, 0);
    EXPECT_EQ(effects.events, (Events{"log:Canceled by user", "progress:0"}));
}

TEST_F(JobControlTest, EndingStatusWhileTheThreadStillRunsDisablesStartUntilItEnds) {
    effects.caption = "&Stop";
    effects.running = true;
    control.OnJobStatus(JOB_COMPLETED, 0);
    EXPECT_FALSE(effects.startEnabled);
    effects.running = false;
    control.OnJobThreadEnded();
    EXPECT_TRUE(effects.startEnabled);
}

TEST(ActivityLog, PrefixIsThirteenCharactersOfLocalTime) {
    std::tm time{};
    time.tm_hour = 14;
    time.tm_min = 3;
    time.tm_sec = 27;
    EXPECT_EQ(LogPrefix(time), "[14:03:27]   ");
    EXPECT_EQ(LogPrefix(time).size(), 13u);

    test::FakeEffects effects;
    AddLogLine(effects, "Completed");  // no local time: the text alone
    effects.time = time;
    AddLogLine(effects, "Completed");
    EXPECT_EQ(effects.events, (Events{"log:Completed", "log:[14:03:27]   Completed"}));
}

}  // namespace
}  // namespace orvane
