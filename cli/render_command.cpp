#include "cli/render_command.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_console.h"
#include "player/screen_export.h"

namespace orvane {
namespace {

struct RenderOptions {
    std::string input;
    std::string png;
    std::optional<double> at;
};

std::string Seconds(std::uint64_t sectors) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(sectors) / 75.0);
    return text;
}

int RunRender(const RenderOptions& options, CliEnvironment& env) {
    CliConsole console(env.err, env.errIsTerminal, false, env.localTime);
    const ScreenExport result = ExportScreen(options.input, options.png, options.at);
    if (result.status == ExportStatus::Refused) {
        console.Error(result.message);
        return kExitRefused;
    }
    if (result.status == ExportStatus::InputFailed) {
        console.Error("Cannot read " + options.input + ": " + result.message);
        return kExitIoError;
    }
    if (result.ignoredBytes > 0) {
        console.Info(IgnoredTailLine(result.ignoredBytes, options.input));
    }
    if (result.status == ExportStatus::WriteFailed) {
        console.Error("Cannot write " + options.png + ": " + result.message);
        return kExitIoError;
    }
    console.Info("Screen at " + Seconds(result.sectors) + " (after sector " +
                 std::to_string(result.sectors) + " of " + std::to_string(result.sectorCount) +
                 ") written: " + options.png);
    return kExitCompleted;
}

}  // namespace

CliCommand SetUpRenderCommand(CLI::App& app, CliEnvironment& env) {
    auto options = std::make_shared<RenderOptions>();
    CLI::App* sub =
        app.add_subcommand("render", "write the screen of an image or .cdg at a time as a PNG");
    sub->add_option("INPUT", options->input, "a disc image or a .cdg stream")->required();
    sub->add_option("OUT.png", options->png, "the PNG to write (replaced)")->required();
    sub->add_option("--at", options->at, "the screen at SECONDS (default: after the last packet)")
        ->option_text("SECONDS")
        ->check(CLI::Validator(
            [](std::string& text) -> std::string {
                char* end = nullptr;
                const double seconds = std::strtod(text.c_str(), &end);
                const bool number = end != text.c_str() && *end == '\0' && seconds == seconds;
                return number && seconds >= 0 ? "" : text + " is not a time in seconds (0 or more)";
            },
            "SECONDS"));
    return {sub, [options, &env] { return RunRender(*options, env); }};
}

}  // namespace orvane
