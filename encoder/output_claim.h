// The create job's output. It is written in place (a stop leaves what was
// written, a whole number of sectors), so it is never emptied before it is
// Orvane's alone: created exclusively when it must be new, otherwise opened as
// it is, locked, and only then emptied. Two runs on one output: one writes,
// the other is refused at once.
#pragma once

#include <string>

#include "input/output_rule.h"

namespace orvane {

struct OutputClaim {
    int fd = -1;  // open for reading and writing, non-blocking, locked
    // Exists (it must be new and is not), Busy (another run holds its lock)
    // or NotAFile; None with `error` for a failure of the system's.
    OutputRefusal refusal = OutputRefusal::None;
    int error = 0;
};

// Opens `path`: with O_EXCL unless `replace`, and never truncating before an
// exclusive flock() is held; the lock lasts until `fd` is closed. A file
// system without flock() is written unlocked rather than not at all.
OutputClaim ClaimOutput(const std::string& path, bool replace);

// What a front end says about a refused claim of `path`.
std::string ClaimRefusalText(OutputRefusal refusal, const std::string& path);

}  // namespace orvane
