// orvane-cli disc OUT.toc IMAGE... [--title T] [--performer P]
//     [--titles FILE] [--chdman] [--force] [--quiet]
// One toc for a whole disc of images, through the disc library the window's
// "Make a disc..." uses.
#pragma once

#include "cli/cli_command.h"

namespace orvane {

CliCommand SetUpDiscCommand(CLI::App& app, CliEnvironment& env);

}  // namespace orvane
