#include "cli/prepare_command.h"

#include <memory>

#include "convert/picture_convert.h"
#include "convert/recording_convert.h"

namespace orvane {
namespace {

struct PictureArgs {
    std::string input, output, background;
    bool fill = false, stretch = false, fit = false;
    bool noDither = false, force = false, quiet = false;
};

struct RecordingArgs {
    std::string input, output;
    bool pad = false, force = false, quiet = false;
};

int RunPreparePicture(const PictureArgs& args, CliEnvironment& env) {
    PictureOptions options;
    options.fit = args.fill ? FitMode::Fill : args.stretch ? FitMode::Stretch : FitMode::Fit;
    options.dither = !args.noDither;
    if (!args.background.empty() && !ParseColour(args.background, options.background))
        return UsageError("--background takes a colour as RRGGBB, got " + args.background, env);
    CliConsole console(env.err, env.errIsTerminal, args.quiet, env.localTime);
    CliProgress progress(console, env.interrupted);
    return ReportConversion(PreparePicture(args.input, args.output, options, args.force, progress),
                            console);
}

int RunPrepareRecording(const RecordingArgs& args, CliEnvironment& env) {
    CliConsole console(env.err, env.errIsTerminal, args.quiet, env.localTime);
    CliProgress progress(console, env.interrupted);
    const RecordingOutcome outcome =
        PrepareRecording(args.input, args.output, {args.pad}, args.force, progress);
    const int status = ReportConversion(outcome, console);
    if (outcome.ok() && outcome.shorterThanMinimum)
        console.Error("Shorter than 20 seconds: the disc needs at least 20 (--pad adds silence)");
    return status;
}

void AddCommonFlags(CLI::App* sub, bool& force, bool& quiet) {
    sub->add_flag("--force", force, "overwrite OUT if it exists");
    sub->add_flag("--quiet", quiet, "print errors only");
}

}  // namespace

void CliProgress::SetProgress(std::uint64_t done, std::uint64_t total) {
    if (total > 0) console_.Progress(static_cast<int>(std::min(done, total) * 100 / total));
}

int ReportConversion(const ConvertOutcome& outcome, CliConsole& console,
                     const std::string& success) {
    switch (outcome.status) {
        case ConvertStatus::Done:
            console.Info(success.empty() ? outcome.message : success);
            return kExitCompleted;
        case ConvertStatus::Stopped:
            console.Error("Canceled by user");
            return kExitStopped;
        case ConvertStatus::OutputExists:
            console.Error("Output file exists, use --force to overwrite");
            return kExitRefused;
        case ConvertStatus::WriteFailed:
            console.Error(outcome.message);
            return kExitIoError;
        default:
            console.Error(outcome.message);
            return kExitRefused;
    }
}

CliCommand SetUpPreparePictureCommand(CLI::App& app, CliEnvironment& env) {
    auto args = std::make_shared<PictureArgs>();
    CLI::App* sub = app.add_subcommand("prepare-picture",
                                       "convert any picture to the 288 x 192, 16-colour BMP");
    sub->add_option("IN", args->input, "a PNG, JPEG, WebP, GIF, TIFF or BMP picture")->required();
    sub->add_option("OUT", args->output, "the BMP to write")->required();
    CLI::Option* fit = sub->add_flag("--fit", args->fit, "whole picture, bars beside it (default)");
    CLI::Option* fill = sub->add_flag("--fill", args->fill, "fill the screen, cut the overhang");
    CLI::Option* stretch = sub->add_flag("--stretch", args->stretch, "whole picture, stretched");
    fit->excludes(fill)->excludes(stretch);
    fill->excludes(stretch);
    sub->add_option("--background", args->background,
                    "RRGGBB: colour of the bars and behind transparency (000000)");
    sub->add_flag("--no-dither", args->noDither, "plain colour areas instead of dithering");
    AddCommonFlags(sub, args->force, args->quiet);
    return {sub, [args, &env] { return RunPreparePicture(*args, env); }};
}

CliCommand SetUpPrepareRecordingCommand(CLI::App& app, CliEnvironment& env) {
    auto args = std::make_shared<RecordingArgs>();
    CLI::App* sub = app.add_subcommand("prepare-recording",
                                       "convert any song to the 44.1 kHz 16-bit stereo WAVE");
    sub->add_option("IN", args->input, "an MP3, M4A, FLAC, Ogg, Opus or WAVE file, or a video")
        ->required();
    sub->add_option("OUT", args->output, "the WAVE to write")->required();
    sub->add_flag("--pad", args->pad, "add silence to a song shorter than 20 seconds");
    AddCommonFlags(sub, args->force, args->quiet);
    return {sub, [args, &env] { return RunPrepareRecording(*args, env); }};
}

}  // namespace orvane
