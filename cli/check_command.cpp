#include "cli/check_command.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

#include "cli/cli_console.h"
#include "player/picture_check.h"

namespace orvane {
namespace {

struct CheckOptions {
    std::string image;
    std::string picture;
};

std::string CompleteLine(const PictureCheck& result) {
    if (!result.anyTile) return "No tile is drawn";
    char text[64];
    std::snprintf(text, sizeof text, "Picture complete at %.2f s", result.completeSeconds);
    return text;
}

std::string DifferLine(std::uint64_t pixels) {
    if (pixels == 1) return "1 pixel differs";
    return std::to_string(pixels) + " pixels differ";
}

// The verdict goes to standard output, for scripts; failures to the log.
int RunCheck(const CheckOptions& options, CliEnvironment& env) {
    CliConsole console(env.err, env.errIsTerminal, false, env.localTime);
    const ImageCheck check = CheckImageFile(options.image, options.picture);
    if (check.status == CheckStatus::PictureFailed) {
        console.Error("Cannot use " + options.picture + ": " + check.message);
        return kExitIoError;
    }
    if (check.status == CheckStatus::ImageFailed) {
        console.Error("Cannot read " + options.image + ": " + check.message);
        return kExitIoError;
    }
    if (check.ignoredBytes > 0) {
        console.Info(IgnoredTailLine(check.ignoredBytes, options.image));
    }
    env.out << CompleteLine(check.result) << '\n'
            << DifferLine(check.result.differingPixels) << '\n';
    return check.result.differingPixels == 0 ? kExitCompleted : kExitRefused;
}

}  // namespace

CliCommand SetUpCheckCommand(CLI::App& app, CliEnvironment& env) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* sub = app.add_subcommand(
        "check", "compare what an image shows with its picture (exit 1: pixels differ)");
    sub->add_option("IMAGE", options->image, "a disc image or a .cdg stream")->required();
    sub->add_option("PICTURE", options->picture, "the 288 x 192, 16-colour BMP")->required();
    return {sub, [options, &env] { return RunCheck(*options, env); }};
}

}  // namespace orvane
