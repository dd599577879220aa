// The commands that turn everyday files into the ones a disc is made from:
//   orvane-cli prepare-picture IN OUT.bmp [--fit|--fill|--stretch]
//              [--background RRGGBB] [--no-dither] [--force] [--quiet]
//   orvane-cli prepare-recording IN OUT.wav [--pad] [--force] [--quiet]
// and what the create form's --convert shares with them.
#pragma once

#include <string>

#include "cli/cli_command.h"
#include "cli/cli_console.h"
#include "convert/convert_outcome.h"
#include "encoder/progress_sink.h"

namespace orvane {

CliCommand SetUpPreparePictureCommand(CLI::App& app, CliEnvironment& env);
CliCommand SetUpPrepareRecordingCommand(CLI::App& app, CliEnvironment& env);

// A conversion's progress on the console's progress line (on a terminal);
// a stop signal stops it.
class CliProgress : public ProgressSink {
  public:
    CliProgress(CliConsole& console, const std::atomic<bool>& interrupted)
        : console_(console), interrupted_(interrupted) {}
    void SetMessage(const std::string&) override {}
    void SetProgress(std::uint64_t done, std::uint64_t total) override;
    void Log(const std::string& line) override { console_.Info(line); }
    bool IsCancelled() const override { return interrupted_.load(); }

  private:
    CliConsole& console_;
    const std::atomic<bool>& interrupted_;
};

// Prints a conversion's outcome (`success` replaces the log line when not
// empty) and returns the exit status it means.
int ReportConversion(const ConvertOutcome& outcome, CliConsole& console,
                     const std::string& success = {});

}  // namespace orvane
