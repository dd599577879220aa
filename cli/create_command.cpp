#include "cli/create_command.h"

#include <pthread.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_console.h"
#include "cli/export_command.h"
#include "cli/prepare_command.h"
#include "convert/picture_convert.h"
#include "convert/recording_convert.h"
#include "encoder/creation_job.h"
#include "encoder/image_size.h"
#include "encoder/output_file.h"
#include "export/export_request.h"
#include "input/bitmap_reader.h"
#include "input/output_rule.h"
#include "input/wave_reader.h"

namespace orvane {
namespace {

struct CreateOptions {
    bool force = false;
    bool quiet = false;
    bool convert = false;
    bool toc = false;  // cdrdao's toc beside the image after a completed run
    std::vector<std::string> files;
};

// OUTPUT's name with .toc for its extension.
std::string TocBeside(const std::string& image) {
    return std::filesystem::path(image).replace_extension(".toc").string();
}

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

// The output rule over the image and its toc, with the create form's texts
// (the window's for the image). `named`: every file the user named as an input.
bool CheckCreateOutputs(const CreateOptions& args, const std::vector<std::string>& named,
                        CliConsole& console) {
    const std::string& output = args.files[2];
    std::vector<std::string> outputs = {output};
    if (args.toc) outputs.push_back(TocBeside(output));
    const OutputVerdict verdict = CheckOutputs(outputs, named, args.force);
    if (verdict.ok()) return true;
    // The image comes first, so a name both share is the toc's problem.
    const bool toc =
        args.toc && (verdict.refusal == OutputRefusal::NamedTwice || verdict.path != output);
    switch (verdict.refusal) {
        case OutputRefusal::IsAnInput:
        case OutputRefusal::NamedTwice:
            console.Error(toc ? verdict.path + " would replace an input or the image; rename OUTPUT"
                              : "Output file must differ from the bitmap and WAVE files");
            break;
        case OutputRefusal::Exists:
            console.Error(toc ? verdict.path + " exists, use --force to overwrite"
                              : "Output file exists, use --force to overwrite");
            break;
        default:
            console.Error(verdict.message);
            break;
    }
    return false;
}

bool CheckOutput(const CreateOptions& args, const std::vector<std::string>& named,
                 std::int64_t audioByteCount, CliEnvironment& env, CliConsole& console) {
    const std::string& output = args.files[2];
    if (!CheckCreateOutputs(args, named, console)) return false;
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
    sigaddset(&stopSignals, SIGHUP);
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
    if (sink.ioError()) {
        return state.outputRefused.load() == OutputRefusal::None ? kExitIoError : kExitRefused;
    }
    if (sink.completed()) return kExitCompleted;
    return kExitStopped;
}

// `named`: the files the user named as inputs, which may be others than
// those in `args` (the originals of --convert's temporary files).
int CheckAndRun(const CreateOptions& args, std::vector<std::string> named, CliEnvironment& env,
                CliConsole& console) {
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

    named.insert(named.end(), {args.files[0], args.files[1]});
    if (!CheckOutput(args, named, state.audioByteCount, env, console)) return kExitRefused;
    state.outputChosen = true;
    state.jobWavePath = args.files[1];
    state.jobOutputPath = args.files[2];
    JobInputs inputs = SnapshotInputs(state, picture);
    inputs.replaceOutput = args.force;
    const int status = RunJob(std::move(inputs), env, console);
    if (status != kExitCompleted || !args.toc) return status;
    ExportRequest request;
    request.image = args.files[2];
    request.targets.toc = TocBeside(args.files[2]);
    request.replace = args.force;
    return RunExportCommand(request, env, console);
}

// --convert: the picture and the song are converted into a private folder
// under $TMPDIR, which goes when the run ends, however it ends (a stop
// signal only ends the conversion or the job, which then returns here).
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvane-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
        if (ok()) tickets_.push_back(RemoveOnForcedExit(path_));
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
        for (int ticket : tickets_) KeepOnForcedExit(ticket);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    bool ok() const { return !path_.empty(); }
    // A file in the folder; a program ended at once by a second signal
    // removes it and the folder all the same.
    std::string File(const char* name) {
        std::string path = path_ + "/" + name;
        tickets_.push_back(RemoveOnForcedExit(path));
        return path;
    }

  private:
    std::string path_;
    std::vector<int> tickets_;
};

int ConvertAndRun(const CreateOptions& args, CliEnvironment& env, CliConsole& console) {
    // The originals are the files the user named: every output is checked
    // against them, before anything is converted.
    const std::vector<std::string> originals = {args.files[0], args.files[1]};
    if (!CheckCreateOutputs(args, originals, console)) return kExitRefused;
    ScratchFolder scratch;
    if (!scratch.ok()) {
        console.Error(std::string("Cannot make a temporary folder: ") + std::strerror(errno));
        return kExitIoError;
    }
    CreateOptions converted = args;
    converted.files[0] = scratch.File("picture.bmp");
    converted.files[1] = scratch.File("recording.wav");
    CliProgress progress(console, env.interrupted);
    int status =
        ReportConversion(PreparePicture(args.files[0], converted.files[0], {}, false, progress),
                         console, "Picture converted: " + args.files[0]);
    if (status != kExitCompleted) return status;
    status =
        ReportConversion(PrepareRecording(args.files[1], converted.files[1], {}, false, progress),
                         console, "Recording converted: " + args.files[1]);
    if (status != kExitCompleted) return status;
    return CheckAndRun(converted, originals, env, console);
}

int RunCreate(const CreateOptions& args, CliEnvironment& env) {
    CliConsole console(env.err, env.errIsTerminal, args.quiet, env.localTime);
    return args.convert ? ConvertAndRun(args, env, console) : CheckAndRun(args, {}, env, console);
}

}  // namespace

CliCommand SetUpCreateCommand(CLI::App& app, CliEnvironment& env) {
    auto options = std::make_shared<CreateOptions>();
    app.add_flag("--force", options->force, "overwrite OUTPUT if it exists");
    app.add_flag("--quiet", options->quiet, "print errors only");
    app.add_flag("--convert", options->convert,
                 "PICTURE and RECORDING may be any picture and song; converted first");
    app.add_flag("--toc", options->toc, "also write cdrdao's OUTPUT.toc after a completed run");
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
