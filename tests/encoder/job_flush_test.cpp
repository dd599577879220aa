// The image reaches the disk before the job reports success: fsync and
// close are watched (and made to fail) through the linker's --wrap, which
// sends this program's own calls to the __wrap_ functions below.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "encoder/subcode.h"
#include "job_support.h"

namespace {

std::string g_watched;              // the output's path
std::vector<std::string> g_events;  // "fsync", "close", "status:N"
int g_failFsync = 0;                // errno to fail with, 0: the real call
int g_failClose = 0;

bool IsWatched(int fd) {
    std::error_code error;
    const auto target = std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error);
    return !error && !g_watched.empty() && target == g_watched;
}

}  // namespace

extern "C" int __real_fsync(int fd);
extern "C" int __real_close(int fd);

extern "C" int __wrap_fsync(int fd) {
    if (!IsWatched(fd)) return __real_fsync(fd);
    g_events.push_back("fsync");
    if (g_failFsync == 0) return __real_fsync(fd);
    errno = g_failFsync;
    return -1;
}

extern "C" int __wrap_close(int fd) {
    if (!IsWatched(fd)) return __real_close(fd);
    g_events.push_back("close");
    const int rc = __real_close(fd);  // the descriptor goes in any case
    if (g_failClose == 0) return rc;
    errno = g_failClose;
    return -1;
}

namespace orvane {
namespace {

using Events = std::vector<std::string>;

TEST(CreationJobFlush, ImageIsFlushedAndClosedBeforeTheFinalStatus) {
    struct Case {
        const char* name;
        int failFsync, failClose;
        bool stopMidRun;
        Events tail;
        bool writeFailed;
    };
    const Case cases[] = {
        {"complete", 0, 0, false, {"fsync", "close", "status:3"}, false},
        {"flush fails", EIO, 0, false, {"fsync", "close", "status:1", "status:2"}, true},
        {"close fails", 0, EIO, false, {"fsync", "close", "status:1", "status:2"}, true},
        {"quota at close", 0, EDQUOT, false, {"fsync", "close", "status:1", "status:2"}, true},
        // A stopped run's partial image is closed, not flushed.
        {"stopped", EIO, 0, true, {"close", "status:2"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::JobRig rig(10 * kAudioSectorBytes);
        g_watched = std::filesystem::weakly_canonical(rig.output).string();
        g_events.clear();
        g_failFsync = c.failFsync;
        g_failClose = c.failClose;
        rig.sink.onSend = [&](JobStatus code, int) {
            if (code != JOB_PROGRESS) g_events.push_back("status:" + std::to_string(code));
            if (c.stopMidRun && rig.sink.messages.size() == 3) rig.state.stopRequested = true;
        };
        rig.Run();
        g_watched.clear();
        EXPECT_EQ(g_events, c.tail);
        EXPECT_EQ(rig.state.writeFailed, c.writeFailed);
        EXPECT_FALSE(rig.state.readFailed);
        if (!c.stopMidRun) test::ExpectSectors(test::ReadFile(rig.output), rig, 10);
    }
}

}  // namespace
}  // namespace orvane
