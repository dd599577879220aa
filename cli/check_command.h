// orvane-cli check IMAGE PICTURE: what a player shows of the image, against
// the picture in its colours at 4 bits per component. Exit 0 when no pixel
// differs, 1 when some do, 2 for a usage error, 3 when a file cannot be read.
#pragma once

#include "cli/cli_command.h"

namespace orvane {

CliCommand SetUpCheckCommand(CLI::App& app, CliEnvironment& env);

}  // namespace orvane
