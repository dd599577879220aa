// Any argument list orvane-cli may be given, run in-process. The input is the
// arguments separated by NUL bytes.
//
// Nothing outside a private temporary folder may be read or written: the
// process works in a fresh, empty folder of its own (also its TMPDIR), an
// argument with a '/' is dropped, so every name the program sees is a name in
// that folder, and the free-space query answers 0, so no image is ever
// begun. Whatever a command creates there is removed after each input, so the
// folder never holds a usable input. Since the current folder changes, give
// libFuzzer absolute paths (corpus, -artifact_prefix).
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr std::size_t kMaxArguments = 24;

// Never destroyed, so that the exit handler can still remove it.
const std::filesystem::path& PrivateFolder() {
    static const std::filesystem::path* const folder = [] {
        std::string pattern =
            std::filesystem::temp_directory_path().string() + "/orvane-cli-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
        setenv("TMPDIR", pattern.c_str(), 1);
        return new std::filesystem::path(pattern);
    }();
    static const bool removedAtExit = std::atexit([] {
                                          std::error_code error;
                                          std::filesystem::remove_all(*folder, error);
                                      }) == 0;
    (void)removedAtExit;
    return *folder;
}

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args{"orvane-cli"};
    std::string current;
    for (std::size_t i = 0; i <= size && args.size() <= kMaxArguments; ++i) {
        if (i < size && data[i] != 0) {
            current += static_cast<char>(data[i]);
            continue;
        }
        if (current.find('/') == std::string::npos) args.push_back(current);
        current.clear();
    }
    return args;
}

// The subcommands, which read the files they are given; the create form is
// the top level.
bool ReadsNamedFiles(const std::string& command) {
    for (const char* name : {"render", "check", "export", "prepare-picture", "prepare-recording"}) {
        if (command == name) return true;
    }
    return false;
}

void EmptyFolder(const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& folder = PrivateFolder();
    const std::vector<std::string> args = Arguments(data, size);
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);

    std::ostringstream out, err;
    orvane::JobState state;
    const std::atomic<bool> interrupted{false};
    orvane::CliEnvironment env{out,   err,        false, {}, [](const std::string&) { return 0; },
                               state, interrupted};
    const int status = orvane::RunCli(static_cast<int>(args.size()), argv.data(), env);
    // No input is usable here, so the create form can neither complete nor
    // fail mid-run; help and the version are the only successes. The other
    // commands say 3 for a file they cannot read, as documented.
    const bool readsFiles = args.size() > 1 && ReadsNamedFiles(args[1]);
    if (status != orvane::kExitCompleted && status != orvane::kExitRefused &&
        status != orvane::kExitUsage && !(readsFiles && status == orvane::kExitIoError))
        std::abort();
    if (status == orvane::kExitCompleted && out.str().empty()) std::abort();
    EmptyFolder(folder);
    return 0;
}
