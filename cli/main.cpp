// orvane-cli's entry point: the real streams, clock and free-space query, and
// the stop signals.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <iostream>

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

}  // namespace

int main(int argc, char** argv) {
    InstallStopHandlers();
    orvane::CliEnvironment env{std::cout,
                               std::cerr,
                               isatty(STDERR_FILENO) == 1,
                               orvane::RealLocalTime,
                               orvane::FreeBytesForOutput,
                               g_state,
                               g_interrupted};
    return orvane::RunCli(argc, argv, env);
}
