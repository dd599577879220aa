// orvane-cli driven in-process: its checks, texts, exit statuses and output.
#include "cli/cli_app.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "cli/image_check.h"
#include "encoder/image_size.h"
#include "input/wave_reader.h"
#include "support/fixtures.h"

namespace orvane::test {
namespace {

const std::string kPrefix = "[14:03:27]   ";

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> lines;  // err, line by line
};

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(bmp_, MakeBmp(RandomPicture(7)));
        WriteFile(wav_, MakeWav(kMinimumAudioBytes));
    }

    CliResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), "orvane-cli");
        std::vector<const char*> argv;
        for (const auto& a : args) argv.push_back(a.c_str());
        argv.push_back(nullptr);
        std::ostringstream out, err;
        CliEnvironment env{out,
                           err,
                           terminal_,
                           [] {
                               std::tm t{};
                               t.tm_hour = 14, t.tm_min = 3, t.tm_sec = 27;
                               return std::optional<std::tm>(t);
                           },
                           [this](const std::string& path) {
                               askedFreeFor_ = path;
                               if (afterChecks_) afterChecks_();
                               return freeBytes_;
                           },
                           state_,
                           interrupted_};
        CliResult r;
        r.status = RunCli(static_cast<int>(args.size()), argv.data(), env);
        r.out = out.str();
        r.err = err.str();
        r.lines = SplitLines(r.err);
        return r;
    }

    CliResult RunDefault() { return Run({bmp_, wav_, out_}); }

    std::vector<std::string> Logged(std::initializer_list<std::string> texts) {
        std::vector<std::string> lines;
        for (const auto& t : texts) lines.push_back(kPrefix + t);
        return lines;
    }

    TempDir dir_;
    std::string bmp_ = dir_.File("cover.bmp");
    std::string wav_ = dir_.File("song.wav");
    std::string out_ = dir_.File("disc.cdg");
    std::uint64_t freeBytes_ = UINT64_MAX;
    std::string askedFreeFor_;
    // Runs at the free-space query: both inputs are checked, the job not begun.
    std::function<void()> afterChecks_;
    bool terminal_ = false;
    JobState state_;
    std::atomic<bool> interrupted_{false};
};

TEST_F(CliTest, CompletedRunLogsEachStepAndWritesTheImage) {
    const std::size_t audio = kMinimumAudioBytes + 1000;  // not a whole number of sectors
    WriteFile(wav_, MakeWav(audio));
    const CliResult r = RunDefault();
    EXPECT_EQ(r.status, kExitCompleted);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.lines,
              Logged({"Valid BMP file loaded: " + bmp_, "Valid WAVE file selected: " + wav_,
                      "Creating CD+G file...", "Completed"}));
    EXPECT_EQ(askedFreeFor_, out_);
    ExpectImageOfRecording(out_, audio);
}

TEST_F(CliTest, RefusedPictureShowsTheReasonOnPlainLinesThenTheLogLine) {
    WriteFile(bmp_, MakeBmp(RandomPicture(1), {.bitsPerPixel = 8}));
    const CliResult r = RunDefault();
    EXPECT_EQ(r.status, kExitRefused);
    EXPECT_EQ(r.lines, (std::vector<std::string>{kPrefix + "288x192 - 256 color bitmap selected.",
                                                 "Only 288x192 - 16 color bitmaps!",
                                                 kPrefix + "Invalid BMP file selected"}));
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out_));
}

TEST_F(CliTest, PictureThatCannotBeOpenedGivesTheSystemTextOnce) {
    const CliResult r = Run({dir_.File("missing.bmp"), wav_, out_});
    EXPECT_EQ(r.status, kExitRefused);
    EXPECT_EQ(r.lines, Logged({"No such file or directory"}));
}

TEST_F(CliTest, RefusedRecordingsAfterTheAcceptedPicture) {
    WavFields mono;
    mono.channels = 1;
    const struct {
        Bytes file;
        const char* reason;
    } cases[] = {
        {MakeWav(kMinimumAudioBytes, mono), "Invalid WAVE format, must be 44.1 kHz/16 bit/stereo"},
        {MakeWav(kMinimumAudioBytes - 1), "WAVE file too short (must be at least 20 sec)"},
    };
    for (const auto& c : cases) {
        WriteFile(wav_, c.file);
        const CliResult r = RunDefault();
        EXPECT_EQ(r.status, kExitRefused) << c.reason;
        EXPECT_EQ(r.lines, Logged({"Valid BMP file loaded: " + bmp_, c.reason,
                                   "Invalid WAVE file selected"}));
        EXPECT_FALSE(std::filesystem::exists(out_));
    }
}

TEST_F(CliTest, OutputThatIsAnInputIsRefusedAndTheInputKept) {
    const std::string link = dir_.File("link.cdg");
    std::filesystem::create_symlink(wav_, link);
    const Bytes recording = ReadFile(wav_);
    for (const std::string& output : {bmp_, wav_, link}) {
        const CliResult r = Run({"--force", bmp_, wav_, output});
        EXPECT_EQ(r.status, kExitRefused) << output;
        EXPECT_EQ(r.lines.back(),
                  kPrefix + "Output file must differ from the bitmap and WAVE files");
    }
    EXPECT_EQ(ReadFile(wav_), recording);
}

TEST_F(CliTest, ExistingOutputIsReplacedOnlyWithForce) {
    WriteFile(out_, Bytes{1, 2, 3});
    CliResult r = RunDefault();
    EXPECT_EQ(r.status, kExitRefused);
    EXPECT_EQ(r.lines.back(), kPrefix + "Output file exists, use --force to overwrite");
    EXPECT_EQ(ReadFile(out_), (Bytes{1, 2, 3}));

    r = Run({bmp_, "--force", wav_, out_});
    EXPECT_EQ(r.status, kExitCompleted);
    ExpectImageOfRecording(out_, kMinimumAudioBytes);
}

TEST_F(CliTest, FreeSpaceMustHoldEveryBegunSector) {
    WriteFile(wav_, MakeWav(kMinimumAudioBytes + 1));  // 1,501 begun sectors
    const std::uint64_t needed = 1501 * 2448;
    freeBytes_ = needed - 1;
    CliResult r = RunDefault();
    EXPECT_EQ(r.status, kExitRefused);
    EXPECT_EQ(r.lines,
              Logged({"Valid BMP file loaded: " + bmp_, "Valid WAVE file selected: " + wav_,
                      "Not enough diskspace, 1 more bytes needed", "Insufficient diskspace"}));
    EXPECT_FALSE(std::filesystem::exists(out_));

    freeBytes_ = needed;
    r = RunDefault();
    EXPECT_EQ(r.status, kExitCompleted);
    ExpectImageOfRecording(out_, kMinimumAudioBytes + 1);
}

TEST_F(CliTest, UsageErrorsPrintTheUsageAndTouchNothing) {
    const std::vector<std::vector<std::string>> cases = {{},
                                                         {bmp_, wav_},
                                                         {bmp_, wav_, out_, out_ + "2"},
                                                         {"--bogus", bmp_, wav_, out_},
                                                         {"-f", bmp_, wav_, out_},
                                                         {bmp_, "check", out_, bmp_},
                                                         {"--force", "check", out_, bmp_}};
    for (const auto& args : cases) {
        const CliResult r = Run(args);
        EXPECT_EQ(r.status, kExitUsage) << args.size();
        EXPECT_EQ(r.err.rfind("orvane-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(UsageText()), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out_));
}

TEST_F(CliTest, VersionAndHelpGoToStandardOutput) {
    CliResult r = Run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Orvane Version 0.1 Beta\n");
    EXPECT_EQ(r.err, "");

    r = Run({bmp_, "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind(UsageText(), 0), 0u);
    EXPECT_NE(r.out.find("130"), std::string::npos);  // the exit statuses are explained
    EXPECT_EQ(r.err, "");
}

TEST_F(CliTest, QuietKeepsOnlyErrors) {
    terminal_ = true;
    CliResult r = Run({"--quiet", bmp_, wav_, out_});
    EXPECT_EQ(r.status, kExitCompleted);
    EXPECT_EQ(r.err, "");  // no success lines, no progress even on a terminal

    r = Run({"--quiet", bmp_, wav_, out_});
    EXPECT_EQ(r.status, kExitRefused);
    EXPECT_EQ(r.lines, Logged({"Output file exists, use --force to overwrite"}));
}

TEST_F(CliTest, ProgressOnATerminalIsOneLineRedrawnInPlace) {
    terminal_ = true;
    const CliResult r = RunDefault();
    ASSERT_EQ(r.status, kExitCompleted);
    const std::string head = kPrefix + "Creating CD+G file...\n";
    const std::string tail = "\n" + kPrefix + "Completed\n";
    const auto from = r.err.find(head);
    ASSERT_NE(from, std::string::npos);
    ASSERT_TRUE(r.err.ends_with(tail)) << r.err.substr(r.err.size() - 40);
    const std::string progress =
        r.err.substr(from + head.size(), r.err.size() - tail.size() - from - head.size());
    // "\r[time]   Progress:  NN%" once per new percentage, never a line break.
    int last = -1;
    std::size_t pos = 0;
    while (pos < progress.size()) {
        ASSERT_EQ(progress[pos], '\r');
        const std::size_t next = std::min(progress.find('\r', pos + 1), progress.size());
        const std::string piece = progress.substr(pos + 1, next - pos - 1);
        ASSERT_EQ(piece.rfind(kPrefix + "Progress: ", 0), 0u) << piece;
        ASSERT_EQ(piece.size(), kPrefix.size() + 14) << piece;  // fixed width
        const int percent = std::atoi(piece.c_str() + kPrefix.size() + 10);
        EXPECT_GT(percent, last);
        last = percent;
        pos = next;
    }
    EXPECT_EQ(last, 100);  // the last iteration begins with sector 1,499 of 1,500
}

TEST_F(CliTest, StopBeforeTheJobStartsWritesNothing) {
    interrupted_ = true;
    const CliResult r = RunDefault();
    EXPECT_EQ(r.status, kExitStopped);
    EXPECT_EQ(r.lines.back(), kPrefix + "Canceled by user");
    EXPECT_FALSE(std::filesystem::exists(out_));
}

TEST_F(CliTest, RecordingThatFailsAfterItsCheckIsAReadError) {
    const std::vector<std::string> checked =
        Logged({"Valid BMP file loaded: " + bmp_, "Valid WAVE file selected: " + wav_,
                "Creating CD+G file..."});

    // Gone before the job opens it: the error alone, and no image.
    afterChecks_ = [this] { std::filesystem::remove(wav_); };
    CliResult r = RunDefault();
    EXPECT_EQ(r.status, kExitIoError);
    std::vector<std::string> expected = checked;
    expected.push_back(kPrefix + "Error reading file");
    EXPECT_EQ(r.lines, expected);
    EXPECT_FALSE(std::filesystem::exists(out_));

    // Replaced by a pipe nobody feeds: a read error, not a run that waits
    // for ever.
    WriteFile(wav_, MakeWav(kMinimumAudioBytes));
    afterChecks_ = [this] {
        std::filesystem::remove(wav_);
        ASSERT_EQ(mkfifo(wav_.c_str(), 0600), 0);
    };
    r = RunDefault();
    EXPECT_EQ(r.status, kExitIoError);
    std::vector<std::string> piped = expected;
    piped.push_back(kPrefix + "Canceled by user");
    EXPECT_EQ(r.lines, piped);
    std::filesystem::remove(wav_);
    std::filesystem::remove(out_);

    // Shrunk to ten sectors: the run stops at the eleventh, keeping ten.
    WriteFile(wav_, MakeWav(kMinimumAudioBytes));
    afterChecks_ = [this] {
        std::filesystem::resize_file(wav_, WavHeaderBytes() + 10 * 2352 + 100);
    };
    r = RunDefault();
    EXPECT_EQ(r.status, kExitIoError);
    expected.push_back(kPrefix + "Canceled by user");
    EXPECT_EQ(r.lines, expected);
    ExpectImageOfRecording(out_, 10 * 2352);
}

TEST_F(CliTest, OutputThatCannotBeCreatedIsAWriteError) {
    const CliResult r = Run({bmp_, wav_, dir_.File("no-such-folder/disc.cdg")});
    EXPECT_EQ(r.status, kExitIoError);
    EXPECT_EQ(r.lines.back(), kPrefix + "Error writing file");
}

}  // namespace
}  // namespace orvane::test
