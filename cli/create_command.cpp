#include "cli/create_command.h"

#include <pthread.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_console.h"
#include "encoder/creation_job.h"
#include "encoder/image_size.h"
#include "input/bitmap_reader.h"
#include "input/file_identity.h"
#include "input/wave_reader.h"

namespace orvane {
namespace {

struct CreateOptions {
    bool force = false;
    bool quiet = false;
    std::vector<std::string> files;
};

// Prints a reader's verdict: the log line when accepted; otherwise the box
// text, then the log line (a failed open has one text for both).
bool Report(bool accepted, const std::string& boxText, const std::string& logLine,
            CliConsole& console) {
    if (accepted) {
        console.Info(logLine);
        return true;
    }
    if (!boxText.empty() && boxText != logLine) console.Error(boxText);
    console.Error(logLine);
    return false;
}

bool CheckPicture(const std::string& path, Picture& picture, CliConsole& console) {
    const BitmapOutcome outcome = ReadBitmapFile(path, picture);
    return Report(outcome.status == BitmapStatus::Accepted, outcome.boxText, outcome.logLine,
                  console);
}

bool CheckRecording(const std::string& path, WaveNumbers& numbers, CliConsole& console) {
    const WaveOutcome outcome = CheckWaveFile(path, numbers);
    return Report(outcome.status == WaveStatus::Accepted, outcome.boxText, outcome.logLine,
                  console);
}

bool PathExists(const std::string& path) {
    std::error_code ec;
    // symlink_status: a dangling link is still something --force would replace.
    const auto status = std::filesystem::symlink_status(path, ec);
    return !ec && status.type() != std::filesystem::file_type::not_found;
}

bool CheckOutput(const CreateOptions& args, std::int64_t audioByteCount, CliEnvironment& env,
                 CliConsole& console) {
    const std::string& output = args.files[2];
    if (OutputIsAnInput(output, args.files[0], args.files[1])) {
        console.Error("Output file must differ from the bitmap and WAVE files");
        return false;
    }
    if (!args.force && PathExists(output)) {
        console.Error("Output file exists, use --force to overwrite");
        return false;
    }
    const std::uint64_t needed = BytesNeeded(audioByteCount);
    const std::uint64_t available = env.freeBytes ? env.freeBytes(output) : 0;
    if (needed > available) {
        console.Error("Not enough diskspace, " + std::to_string(needed - available) +
                      " more bytes needed");
        console.Error("Insufficient diskspace");
        return false;
    }
    return true;
}

// Starts the job with the stop signals blocked, so its thread inherits a mask
// that sends them to the waiting main thread: the job's reads and writes are
// never interrupted, it only sees stopRequested.
JobRunner::StartResult StartJob(JobRunner& runner, JobInputs inputs, JobState& state,
                                StatusSink& sink) {
    sigset_t stopSignals, previous;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
    const auto result = runner.Start(std::move(inputs), state, sink);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return result;
}

int RunJob(JobInputs inputs, CliEnvironment& env, CliConsole& console) {
    JobState& state = env.state;
    if (env.interrupted.load()) {
        console.Error("Canceled by user");
        return kExitStopped;
    }
    console.Info("Creating CD+G file...");
    // Clear first, then look again: a signal in between has set the flag anew.
    state.stopRequested.store(false);
    if (env.interrupted.load()) state.stopRequested.store(true);

    CliStatusSink sink(console, state);
    JobRunner runner;
    if (StartJob(runner, std::move(inputs), state, sink) != JobRunner::StartResult::Started) {
        console.Error("Could not start the creation job");  // the window's text
        return kExitIoError;
    }
    runner.Wait();
    if (sink.ioError()) return kExitIoError;
    if (sink.completed()) return kExitCompleted;
    return kExitStopped;
}

int RunCreate(const CreateOptions& args, CliEnvironment& env) {
    CliConsole console(env.err, env.errIsTerminal, args.quiet, env.localTime);
    JobState& state = env.state;
    Picture picture{};
    InitPicture(picture);
    if (!CheckPicture(args.files[0], picture, console)) return kExitRefused;
    state.bitmapValid = true;

    WaveNumbers numbers;
    if (!CheckRecording(args.files[1], numbers, console)) return kExitRefused;
    state.waveValid = true;
    state.waveFileLength = numbers.fileLength;
    state.audioDataOffset = numbers.audioDataOffset;
    state.audioByteCount = numbers.fileLength - numbers.audioDataOffset;

    if (!CheckOutput(args, state.audioByteCount, env, console)) return kExitRefused;
    state.outputChosen = true;
    state.jobWavePath = args.files[1];
    state.jobOutputPath = args.files[2];
    return RunJob(SnapshotInputs(state, picture), env, console);
}

}  // namespace

CliCommand SetUpCreateCommand(CLI::App& app, CliEnvironment& env) {
    auto options = std::make_shared<CreateOptions>();
    app.add_flag("--force", options->force, "overwrite OUTPUT if it exists");
    app.add_flag("--quiet", options->quiet, "print errors only");
    app.add_option("files", options->files, "PICTURE RECORDING OUTPUT");
    return {&app, [options, &env]() -> int {
                if (options->files.size() != 3) {
                    return UsageError("expected PICTURE, RECORDING and OUTPUT, got " +
                                          std::to_string(options->files.size()) + " file name(s)",
                                      env);
                }
                return RunCreate(*options, env);
            }};
}

}  // namespace orvane
