// The command line run in this process, its standard output thrown away.
#pragma once

#include <string>
#include <vector>

namespace orvane::test {

struct CliRun {
    int status = -1;
    std::string err;
};

// orvane-cli with `args`; `interrupted` as if Ctrl+C came before the start,
// `terminal` as if standard error were a terminal. Free space is unlimited.
CliRun RunCliInProcess(std::vector<std::string> args, bool interrupted = false,
                       bool terminal = false);

}  // namespace orvane::test
