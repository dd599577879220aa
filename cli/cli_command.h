// One orvane-cli command: its CLI11 (sub)command, set up with its options,
// and what to run once the command line has been parsed.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>

#include "cli/cli_app.h"

namespace orvane {

// A subcommand is set up in its own NAME_command.cpp, for example
//
//   CliCommand SetUpRenderCommand(CLI::App& app, CliEnvironment& env) {
//       auto options = std::make_shared<RenderOptions>();
//       CLI::App* sub = app.add_subcommand("render", "draw an image's screen to a PNG");
//       sub->add_option("INPUT", options->input, "image or .cdg")->required();
//       sub->add_flag("--quiet", options->quiet, "print errors only");
//       return {sub, [options, &env] { return RunRender(*options, env); }};
//   }
//
// and registered with one line in RunCli (cli_app.cpp). The run function
// prints through a CliConsole made on env.err and returns a CliExit status;
// the options struct is shared with the lambda so it outlives the parse.
struct CliCommand {
    CLI::App* app = nullptr;  // the subcommand; the top-level app for create
    std::function<int()> run;
};

}  // namespace orvane
