// orvane-cli: the desktop program's checks and job, driven from a command line.
#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "encoder/job_state.h"

namespace orvane {

inline constexpr const char* kVersionLine = "Orvane Version 0.1 Beta";

enum CliExit : int {
    kExitCompleted = 0,
    kExitRefused = 1,  // an input or the output was refused; nothing written
    kExitUsage = 2,
    kExitIoError = 3,  // "Error reading file" / "Error writing file"
    kExitStopped = 130,
};

// Everything RunCli touches outside its inputs and output, so tests can run it
// in-process with their own streams, clock and free space.
struct CliEnvironment {
    std::ostream& out;  // --help and --version
    std::ostream& err;  // log lines, errors, usage errors, progress
    bool errIsTerminal = false;
    // Local wall-clock time for the log prefix; empty or false: no prefix.
    std::function<std::optional<std::tm>()> localTime;
    std::function<std::uint64_t(const std::string&)> freeBytes;
    // The run's shared state. Its stopRequested is what a stop signal sets.
    JobState& state;
    // Set (with state.stopRequested) by a stop signal; one that arrives
    // before the job starts must not be lost when the flag is cleared.
    const std::atomic<bool>& interrupted;
};

std::string UsageText();

// Prints "orvane-cli: MESSAGE" and the usage to env.err; returns kExitUsage.
int UsageError(const std::string& message, CliEnvironment& env);

int RunCli(int argc, const char* const* argv, CliEnvironment& env);

}  // namespace orvane
