// orvane-cli export IMAGE [--cdg F] [--wav F] [--mp3 F] [--zip F]
//     [--wav-zip F] [--toc F] [--bitrate KBPS] [--force] [--quiet]
// Files for karaoke players and cdrdao's toc from a raw image, through the
// export the window's "Export for players..." runs.
#pragma once

#include <string>

#include "cli/cli_command.h"
#include "encoder/progress_sink.h"

namespace orvane {

class CliConsole;

CliCommand SetUpExportCommand(CLI::App& app, CliEnvironment& env);

// Runs the export of `request`-like targets for the create form's --toc as
// well: prints its lines and returns the exit status.
struct ExportRequest;
int RunExportCommand(const ExportRequest& request, CliEnvironment& env, CliConsole& console);

}  // namespace orvane
