// Refusals write nothing; failures and stops leave no file they had begun.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "export_rig.h"

namespace orvane {
namespace {

using test::ImageRig;

ExportTargets AllBeside(const ImageRig& rig) {
    ExportTargets t;
    t.cdg = rig.dir.File("song.cdg");
    t.wav = rig.dir.File("song.wav");
    t.mp3 = rig.dir.File("song.mp3");
    t.mp3Zip = rig.dir.File("mp3g.zip");
    t.wavZip = rig.dir.File("wavg.zip");
    t.toc = rig.dir.File("song.toc");
    return t;
}

TEST(ExportRefusal, WritesNothingAndSaysWhy) {
    struct Case {
        const char* name;
        std::function<void(ImageRig&, ExportRequest&)> arrange;
        ExportStatus status;
        const char* says;
    };
    const Case cases[] = {
        {"no target", [](ImageRig&, ExportRequest& r) { r.targets = {}; }, ExportStatus::NoTarget,
         "No file"},
        {"bit rate", [](ImageRig&, ExportRequest& r) { r.bitrateKbps = 100; },
         ExportStatus::BadBitrate, "100 kbit/s"},
        {"the image", [](ImageRig& g, ExportRequest& r) { r.targets.wav = g.image; },
         ExportStatus::TargetIsImage, "is the image itself"},
        {"a link to the image",
         [](ImageRig& g, ExportRequest& r) {
             std::filesystem::create_hard_link(g.image, g.dir.File("link.cdg"));
             r.targets.cdg = g.dir.File("./link.cdg");
         },
         ExportStatus::TargetIsImage, "link.cdg is the image itself"},
        {"twice", [](ImageRig&, ExportRequest& r) { r.targets.toc = r.targets.mp3Zip; },
         ExportStatus::TargetTwice, "mp3g.zip is named for two files"},
        {"exists",
         [](ImageRig&, ExportRequest& r) {
             test::WriteFile(r.targets.mp3, {1, 2, 3});
             r.replace = false;
         },
         ExportStatus::TargetExists, "song.mp3 exists"},
        {"a folder", [](ImageRig& g, ExportRequest& r) { r.targets.toc = g.dir.path(); },
         ExportStatus::TargetNotAFile, "is a folder"},
        {"empty image", [](ImageRig& g, ExportRequest&) { test::WriteFile(g.image, {}); },
         ExportStatus::ImageUnreadable, "The file is empty"},
        {"no graphics",
         [](ImageRig& g, ExportRequest&) { test::WriteFile(g.image, test::Bytes(2447, 1)); },
         ExportStatus::ImageUnreadable, "No CD+G graphics found"},
        {"no image", [](ImageRig& g, ExportRequest&) { std::filesystem::remove(g.image); },
         ExportStatus::ImageUnreadable, "No such file"},
        {"over 4 GiB of audio for a WAVE",
         [](ImageRig& g, ExportRequest&) {
             std::filesystem::resize_file(g.image, 1826100ull * 2448);  // sparse
         },
         ExportStatus::TooLongForWave, "4 GiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageRig rig(20);
        ExportRequest request = rig.Request(AllBeside(rig));
        request.replace = true;
        c.arrange(rig, request);
        const auto before = test::Listing(rig.dir.path());
        test::RecordingProgress progress;
        const ExportResult result = RunExport(request, progress);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(IsRefusal(result.status));
        EXPECT_NE(result.message.find(c.says), std::string::npos) << result.message;
        EXPECT_EQ(test::Listing(rig.dir.path()), before);
    }
}

TEST(ExportFailure, LeavesNoHalfFileAndKeepsTheOldOnes) {
    struct Case {
        const char* name;
        std::function<void(ImageRig&, ExportRequest&, test::RecordingProgress&)> arrange;
        ExportStatus status;
        const char* says;
    };
    const Case cases[] = {
        {"stopped in the pass",
         [](ImageRig&, ExportRequest&, test::RecordingProgress& p) {
             p.onProgress = [&p](std::uint64_t done, std::uint64_t) { p.stop = done > 0; };
         },
         ExportStatus::Stopped, "stopped"},
        {"stopped in a bundle",
         [](ImageRig&, ExportRequest&, test::RecordingProgress& p) {
             p.cancel = [&p] { return p.messages.back().rfind("Writing", 0) == 0; };
         },
         ExportStatus::Stopped, "stopped"},
        {"a folder that is a file",
         [](ImageRig& g, ExportRequest& r, test::RecordingProgress&) {
             r.targets.wavZip = g.wave + "/wavg.zip";
         },
         ExportStatus::WriteFailed, "/in.wav/wavg.zip: Not a directory"},
        {"a full disk (a file size limit) mid-write",
         [](ImageRig&, ExportRequest&, test::RecordingProgress&) {
             signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
             rlimit limit{};
             getrlimit(RLIMIT_FSIZE, &limit);
             limit.rlim_cur = 1 << 20;
             setrlimit(RLIMIT_FSIZE, &limit);
         },
         ExportStatus::WriteFailed, "song.wav: File too large"},
        {"the image cut short while read",
         [](ImageRig& g, ExportRequest&, test::RecordingProgress& p) {
             p.onProgress = [&g](std::uint64_t done, std::uint64_t) {
                 if (done > 0) std::filesystem::resize_file(g.image, 2448 * 600);
             };
         },
         ExportStatus::ReadFailed, "song.img: The file got shorter"},
        {"a target made meanwhile",
         [](ImageRig&, ExportRequest& r, test::RecordingProgress& p) {
             r.replace = false;
             std::filesystem::remove(r.targets.cdg);
             p.onProgress = [&r](std::uint64_t done, std::uint64_t total) {
                 if (done == total) test::WriteFile(r.targets.toc, {1});
             };
         },
         ExportStatus::WriteFailed, "song.toc: File exists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImageRig rig(1200);
        ExportRequest request = rig.Request(AllBeside(rig));
        request.replace = true;
        const test::Bytes old = {'o', 'l', 'd'};
        test::WriteFile(request.targets.cdg, old);
        test::RecordingProgress progress;
        rlimit fileSize{};
        getrlimit(RLIMIT_FSIZE, &fileSize);
        c.arrange(rig, request, progress);
        auto before = test::Listing(rig.dir.path());
        const ExportResult result = RunExport(request, progress);
        setrlimit(RLIMIT_FSIZE, &fileSize);
        EXPECT_EQ(result.status, c.status);
        EXPECT_FALSE(IsRefusal(result.status));
        EXPECT_NE(result.message.find(c.says), std::string::npos) << result.message;
        // A file renamed into place before the failure is whole; the rest never appear.
        for (const std::string& written : result.written) {
            before.push_back(std::filesystem::path(written).filename().string());
        }
        std::sort(before.begin(), before.end());
        auto after = test::Listing(rig.dir.path());
        if (c.status == ExportStatus::WriteFailed && result.file == request.targets.toc)
            std::erase(after, "song.toc");  // the one the test made
        EXPECT_EQ(after, before);
        if (std::filesystem::exists(request.targets.cdg) && result.written.empty()) {
            EXPECT_EQ(test::ReadFile(request.targets.cdg), old);
        }
    }
}

}  // namespace
}  // namespace orvane
