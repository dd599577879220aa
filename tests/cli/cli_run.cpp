#include "cli/cli_run.h"

#include <atomic>
#include <cstdint>
#include <sstream>

#include "cli/cli_app.h"

namespace orvane::test {

CliRun RunCliInProcess(std::vector<std::string> args, bool interrupted, bool terminal) {
    args.insert(args.begin(), "orvane-cli");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    JobState state;
    std::atomic<bool> stop{interrupted};
    CliEnvironment env{out,   err, terminal, {}, [](const std::string&) { return UINT64_MAX; },
                       state, stop};
    CliRun run;
    run.status = RunCli(static_cast<int>(args.size()), argv.data(), env);
    run.err = err.str();
    return run;
}

}  // namespace orvane::test
