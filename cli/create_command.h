// The create form, orvane-cli's default command:
//   orvane-cli [--force] [--quiet] PICTURE RECORDING OUTPUT
// The desktop program's checks and job, with the window's texts.
#pragma once

#include "cli/cli_command.h"

namespace orvane {

// Binds the create form's options and files to the top-level `app`.
CliCommand SetUpCreateCommand(CLI::App& app, CliEnvironment& env);

}  // namespace orvane
