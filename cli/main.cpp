// orvane-cli's entry point: the real streams, clock and free-space query, and
// the stop signals.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <iostream>

#include "app/activity_log.h"
#include "cli/cli_app.h"
#include "input/disk_space.h"

namespace {

orvane::JobState g_state;
std::atomic<bool> g_interrupted{false};

// Only lock-free atomic stores: safe in a signal handler. The job sees the
// flag at its next check and ends with "Canceled by user".
extern "C" void OnStopSignal(int) {
    g_interrupted.store(true);
    g_state.stopRequested.store(true);
}

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// A standard descriptor left closed by the caller (`2>&-`) would be handed to
// the next file opened, the recording among them, and a log line meant for
// stderr would then be written into the user's audio. /dev/null fills the gap.
void KeepStandardDescriptorsOpen() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor, so `fd` itself: every lower one is open.
        // Without /dev/null there is no safe way to run at all.
        if (open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY) != fd)
            _exit(orvane::kExitIoError);
    }
}

}  // namespace

int main(int argc, char** argv) {
    KeepStandardDescriptorsOpen();
    InstallStopHandlers();
    orvane::CliEnvironment env{std::cout,
                               std::cerr,
                               isatty(STDERR_FILENO) == 1,
                               orvane::CurrentLocalTime,
                               orvane::FreeBytesForOutput,
                               g_state,
                               g_interrupted};
    return orvane::RunCli(argc, argv, env);
}
