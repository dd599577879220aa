// The create form, orvane-cli's default command:
//   orvane-cli [--force] [--quiet] [--convert] [--toc] [--lyrics FILE [--title T]
//              [--artist A] [--lead S] [--strict]] PICTURE RECORDING OUTPUT
// The desktop program's checks and job, with the window's texts. With
// --convert, PICTURE and RECORDING are first converted to temporary files.
#pragma once

#include "cli/cli_command.h"

namespace orvane {

// Binds the create form's options and files to the top-level `app`.
CliCommand SetUpCreateCommand(CLI::App& app, CliEnvironment& env);

}  // namespace orvane
