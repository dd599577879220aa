// The real orvane-cli as a child process, as the tests that need a whole
// program (signals, file size limits, memory use, descriptors) run it.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

struct CliChildOptions {
    std::string dir = {};                // working folder; empty: this one
    std::string errPath = {};            // standard error into this file; empty: a pipe
    rlim_t fileLimit = 0;                // a full disk at this many bytes; 0: none
    std::function<void()> inChild = {};  // runs just before the program starts
};

struct CliChild {
    pid_t pid = -1;
    int err = -1;  // the pipe standard error goes into, or -1
};

struct CliEnded {
    int status = -1;  // exit status, or 128 + the signal that ended it
    std::string err;  // what came through the pipe
    long maxRssKb = 0;
};

// Starts the program with standard input and output on /dev/null. A run
// that hangs (waiting on a pipe, say) ends by SIGALRM after two minutes.
CliChild StartCli(const std::vector<std::string>& args, const CliChildOptions& options = {});
// Reads the pipe to its end and waits for the program.
CliEnded FinishCli(const CliChild& child);
CliEnded RunCliChild(const std::vector<std::string>& args, const CliChildOptions& options = {});
// The words of `line`, split at spaces: a table's command line.
std::vector<std::string> Words(const std::string& line);

}  // namespace orvane::test
