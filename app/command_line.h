// The desktop program's command line: `orvane [PICTURE] [RECORDING] [OUTPUT]`,
// as the desktop's "Open with" gives it files. The two inputs come in either
// order and are told apart by what they hold, not by their names; the
// window takes them as dropped files (app/start_files.h).
#pragma once

#include <string>
#include <vector>

namespace orvane {

enum class InputKind { Picture, Recording, Other };

// A BMP starts "BM", a WAVE "RIFF" ... "WAVE"; anything else, or a file that
// cannot be read, is Other (the ordinary check then says what is wrong).
InputKind InputKindOf(const std::string& path);

enum class StartAction {
    OpenWindow,
    ShowUsage,     // --help
    ShowVersion,   // --version
    ShowHelpPage,  // --help-page: where F1 would look
    UsageError,
};

// Absolute paths; empty where none was given.
struct StartFiles {
    std::string picture;
    std::string recording;
    std::string output;
};

struct StartCommand {
    StartAction action = StartAction::OpenWindow;
    StartFiles files;
    std::string error;  // UsageError: what was wrong
};

// `args` without the program's name. Inputs that do not say what they are
// keep their places: the first is the picture, the second the recording.
StartCommand ParseStartCommand(const std::vector<std::string>& args);

std::string StartUsage();

}  // namespace orvane
