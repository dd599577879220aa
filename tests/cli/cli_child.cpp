#include "cli/cli_child.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iterator>
#include <sstream>

namespace orvane::test {

CliChild StartCli(const std::vector<std::string>& args, const CliChildOptions& options) {
    std::vector<char*> argv = {const_cast<char*>(ORVANE_CLI_PATH)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (options.errPath.empty() && pipe2(pipeEnds, O_CLOEXEC) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        const int err = options.errPath.empty()
                            ? pipeEnds[1]
                            : open(options.errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (null < 0 || err < 0 || (!options.dir.empty() && chdir(options.dir.c_str()) != 0))
            _exit(127);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (options.fileLimit > 0) {
            signal(SIGXFSZ, SIG_IGN);  // a write past the limit returns short
            const rlimit r{options.fileLimit, options.fileLimit};
            setrlimit(RLIMIT_FSIZE, &r);
        }
        if (options.inChild) options.inChild();
        alarm(120);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pipeEnds[1] >= 0) close(pipeEnds[1]);
    return {pid, pipeEnds[0]};
}

CliEnded FinishCli(const CliChild& child) {
    CliEnded ended;
    char buffer[4096];
    if (child.err >= 0) {
        for (ssize_t n; (n = read(child.err, buffer, sizeof buffer)) > 0;)
            ended.err.append(buffer, static_cast<std::size_t>(n));
        close(child.err);
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(child.pid, &status, 0, &usage) != child.pid) return ended;
    ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    ended.maxRssKb = usage.ru_maxrss;
    return ended;
}

CliEnded RunCliChild(const std::vector<std::string>& args, const CliChildOptions& options) {
    return FinishCli(StartCli(args, options));
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

}  // namespace orvane::test
