// orvane-cli render INPUT OUT.png [--at SECONDS]: the whole 300 x 216 screen
// of an image or a .cdg at a time (default: after the last packet) as a PNG.
#pragma once

#include "cli/cli_command.h"

namespace orvane {

CliCommand SetUpRenderCommand(CLI::App& app, CliEnvironment& env);

}  // namespace orvane
