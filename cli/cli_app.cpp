#include "cli/cli_app.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>
#include <vector>

#include "cli/check_command.h"
#include "cli/cli_command.h"
#include "cli/create_command.h"
#include "cli/disc_command.h"
#include "cli/export_command.h"
#include "cli/prepare_command.h"
#include "cli/render_command.h"

namespace orvane {
namespace {

const char* const kCreateHelp =
    "Without a command, makes the raw disc image of a one-picture CD+G audio track:\n"
    "2,448-byte sectors, the recording's audio followed by the R-W subcode that draws\n"
    "the picture.\n"
    "\n"
    "  PICTURE    a 288 x 192, 16-colour BMP of 27,766 bytes\n"
    "  RECORDING  a WAVE file: 44.1 kHz, 16 bit, stereo, at least 20 seconds\n"
    "  OUTPUT     the image to write\n"
    "\n"
    "  --force    overwrite OUTPUT if it exists\n"
    "  --toc      also write cdrdao's table of contents, OUTPUT.toc, after the run\n"
    "  --quiet    print errors only\n"
    "  --convert  PICTURE and RECORDING may be any picture and song (JPEG, PNG,\n"
    "             MP3, FLAC...): converted as prepare-picture and prepare-recording\n"
    "             do, to temporary files removed afterwards\n"
    "  --help     print this text (COMMAND --help: that command's options)\n"
    "  --version  print the version\n";

const char* const kExitHelp =
    "\n"
    "Exit status: 0 completed, 1 an input or the output was refused, 2 usage error,\n"
    "3 error reading or writing (standard output included), 130 stopped by SIGINT,\n"
    "SIGTERM or SIGHUP.\n";

std::string HelpText(const CLI::App& app) {
    std::string text = UsageText() + '\n' + kCreateHelp;
    const auto commands = app.get_subcommands([](const CLI::App*) { return true; });
    if (!commands.empty()) {
        text += "\nCommands:\n";
        for (const CLI::App* command : commands) {
            char line[160];
            std::snprintf(line, sizeof line, "  %-19s %s\n", command->get_name().c_str(),
                          command->get_description().c_str());
            text += line;
        }
    }
    return text + kExitHelp;
}

// The parse failed or asked for help; CLI11 says which by the error's type.
int ReportParse(const CLI::ParseError& error, const CLI::App& app, CliEnvironment& env) {
    if (dynamic_cast<const CLI::CallForHelp*>(&error) != nullptr) {
        const auto chosen = app.get_subcommands();
        env.out << (chosen.empty() ? HelpText(app) : chosen.front()->help());
        return kExitCompleted;
    }
    return UsageError(error.what(), env);
}

// CLI11 finds a command name anywhere among the files, so "a.bmp render x y"
// would render and drop a.bmp without a word. What stands before a command
// belongs to the create form and means a mistake: say so.
int RunCommand(const CliCommand& command, const CLI::App& app, CliEnvironment& env) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->count() > 0) {
            return UsageError(
                "unexpected arguments before the command '" + command.app->get_name() + "'", env);
        }
    }
    return command.run();
}

// True for a long option of `app` or its commands that may or may not take
// a value ("--cdg [FILE]").
bool TakesAnOptionalValue(const CLI::App& app, const std::string& arg) {
    if (!arg.starts_with("--")) return false;
    std::vector<const CLI::App*> apps{&app};
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        apps.push_back(sub);
    for (const CLI::App* a : apps) {
        for (const CLI::Option* option : a->get_options()) {
            const auto& names = option->get_lnames();
            if (option->get_expected_min() == 0 && option->get_expected_max() >= 1 &&
                option->get_type_size_max() > 0 &&
                std::find(names.begin(), names.end(), arg.substr(2)) != names.end())
                return true;
        }
    }
    return false;
}

// "--" ends the options: what follows is a file name even if it starts with
// "-". CLI11 takes a "--" right after an option that may take a value, or
// after that option's one value, as the end of that option's values only,
// and would then read "-x.img" as an option; such a "--" is given twice,
// once for the option and once for the file names.
std::vector<const char*> WithEndOfOptions(int argc, const char* const* argv, const CLI::App& app) {
    std::vector<const char*> args(argv, argv + argc);
    const auto end = std::find_if(args.begin() + std::min(argc, 1), args.end(),
                                  [](const char* a) { return std::string_view(a) == "--"; });
    const auto at = static_cast<std::size_t>(end - args.begin());
    if (end == args.end() || at < 2) return args;
    const std::string before = args[at - 1];
    const bool value = !(before.size() > 1 && before[0] == '-');
    if (TakesAnOptionalValue(app, before) ||
        (value && at >= 3 && TakesAnOptionalValue(app, args[at - 2])))
        args.insert(end, "--");
    return args;
}

}  // namespace

std::string UsageText() {
    return "Usage: orvane-cli [--force] [--quiet] [--toc] [--convert] PICTURE RECORDING OUTPUT\n"
           "       orvane-cli COMMAND [OPTIONS] [FILES]\n"
           "       orvane-cli --help | --version | COMMAND --help\n";
}

int UsageError(const std::string& message, CliEnvironment& env) {
    env.err << "orvane-cli: " << message << '\n' << UsageText();
    return kExitUsage;
}

namespace {

// Standard output carries check's verdict, the help and the version: a write
// there that failed (a full disk, a reader gone) lost them, whatever the
// command itself concluded.
int FlushOut(int status, CliEnvironment& env) {
    errno = 0;
    env.out.flush();
    if (env.out.good()) return status;
    const int error = errno;
    env.err << "orvane-cli: cannot write to standard output"
            << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return kExitIoError;
}

int ParseAndRun(int argc, const char* const* argv, CliEnvironment& env) {
    CLI::App app("Makes and checks CD+G disc images.", "orvane-cli");
    app.set_help_flag("--help,-h", "print the help");
    bool version = false;
    app.add_flag("--version", version, "print the version");

    // The create form lives on the top level; every other command is a
    // subcommand of its own.
    const CliCommand create = SetUpCreateCommand(app, env);
    // One line per command, in the order --help lists them.
    std::vector<CliCommand> commands;
    commands.push_back(SetUpRenderCommand(app, env));
    commands.push_back(SetUpCheckCommand(app, env));
    commands.push_back(SetUpExportCommand(app, env));
    commands.push_back(SetUpDiscCommand(app, env));
    commands.push_back(SetUpPreparePictureCommand(app, env));
    commands.push_back(SetUpPrepareRecordingCommand(app, env));
    app.require_subcommand(0, 1);

    try {
        const std::vector<const char*> args = WithEndOfOptions(argc, argv, app);
        app.parse(static_cast<int>(args.size()), args.data());
    } catch (const CLI::ParseError& error) {
        return ReportParse(error, app, env);
    }
    if (version) {
        env.out << kVersionLine << '\n';
        return kExitCompleted;
    }
    for (const CliCommand& command : commands) {
        if (command.app->parsed()) return RunCommand(command, app, env);
    }
    return create.run();
}

}  // namespace

int RunCli(int argc, const char* const* argv, CliEnvironment& env) {
    return FlushOut(ParseAndRun(argc, argv, env), env);
}

}  // namespace orvane
