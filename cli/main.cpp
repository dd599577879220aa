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
#include "encoder/output_file.h"
#include "input/disk_space.h"

namespace {

orvane::JobState g_state;
std::atomic<bool> g_interrupted{false};
bool g_stderrIsTerminal = false;

// How long a stop signal waits for the job before the program ends anyway.
constexpr unsigned kStopGraceSeconds = 2;

// The job did not stop in time (stuck in a read or write that does not
// return) or the user insisted: end now; the system closes the files, what
// the job wrote stays, and unfinished exports and imports go. Only async-signal-safe calls from
// here on.
[[noreturn]] void EndNow() {
    // Exports and imports write under temporary names that their destructors
    // would remove; none runs after _exit.
    orvane::RemovePendingOutputs();
    // On a terminal the progress line is still open; elsewhere no blank line.
    static constexpr char kLine[] = "\nCanceled by user\n";
    const std::size_t skip = g_stderrIsTerminal ? 0 : 1;
    const ssize_t written = write(STDERR_FILENO, kLine + skip, sizeof kLine - 1 - skip);
    (void)written;
    _exit(orvane::kExitStopped);
}

// Only lock-free atomic stores, alarm() and EndNow: safe in a signal handler.
// The first signal asks the job to stop (it ends with "Canceled by user" at
// its next check) and gives it kStopGraceSeconds; a second ends at once, as
// command-line tools do.
extern "C" void OnStopSignal(int) {
    if (g_interrupted.exchange(true)) EndNow();
    g_state.stopRequested.store(true);
    alarm(kStopGraceSeconds);
}

extern "C" void OnGraceOver(int) {
    EndNow();
}

void InstallStopHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A closed terminal ends the run as Ctrl+C does, cleaning up after it.
    sigaction(SIGHUP, &action, nullptr);
    action.sa_handler = OnGraceOver;
    sigaction(SIGALRM, &action, nullptr);
    // A reader that went away (a pipe's other end, closed with the terminal)
    // makes a write fail instead of ending the program before it has cleaned
    // up; a failed write to standard output is then reported as an error.
    signal(SIGPIPE, SIG_IGN);
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
    g_stderrIsTerminal = isatty(STDERR_FILENO) == 1;
    InstallStopHandlers();
    orvane::CliEnvironment env{std::cout,
                               std::cerr,
                               g_stderrIsTerminal,
                               orvane::CurrentLocalTime,
                               orvane::FreeBytesForOutput,
                               g_state,
                               g_interrupted};
    return orvane::RunCli(argc, argv, env);
}
