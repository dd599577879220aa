#include "app/command_line.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <string_view>
#include <utility>

#include "input/input_file.h"
#include "input/raw_file.h"

namespace orvane {

namespace {

std::string Absolute(const std::string& path) {
    std::error_code error;
    const auto full = std::filesystem::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

// The inputs in the order picture, recording. They swap only when their
// contents ask for it and nothing contradicts that.
void PlaceInputs(const std::vector<std::string>& inputs, StartFiles& files) {
    if (inputs.empty()) return;
    const InputKind first = InputKindOf(inputs[0]);
    if (inputs.size() == 1) {
        (first == InputKind::Recording ? files.recording : files.picture) = Absolute(inputs[0]);
        return;
    }
    const InputKind second = InputKindOf(inputs[1]);
    const bool swapHinted = first == InputKind::Recording || second == InputKind::Picture;
    const bool keepHinted = first == InputKind::Picture || second == InputKind::Recording;
    const bool swap = swapHinted && !keepHinted;
    files.picture = Absolute(inputs[swap ? 1 : 0]);
    files.recording = Absolute(inputs[swap ? 0 : 1]);
}

StartCommand UsageError(std::string error) {
    StartCommand command;
    command.action = StartAction::UsageError;
    command.error = std::move(error);
    return command;
}

}  // namespace

InputKind InputKindOf(const std::string& path) {
    // Only a file is looked into: opening a pipe to read it could wait for ever.
    const OpenedInput input = OpenInputFile(path, O_RDONLY);
    if (!input) return InputKind::Other;
    std::array<char, 12> head{};
    const long got = ReadUpTo(input.fd, head.data(), head.size());
    close(input.fd);
    const std::string_view text(head.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
    // A BMP shorter than twelve bytes is still a (broken) BMP.
    if (text.starts_with("BM")) return InputKind::Picture;
    if (text.starts_with("RIFF") && text.size() == head.size() && text.substr(8, 4) == "WAVE")
        return InputKind::Recording;
    return InputKind::Other;
}

StartCommand ParseStartCommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            StartCommand command;
            if (arg == "--help" || arg == "-h")
                command.action = StartAction::ShowUsage;
            else if (arg == "--version")
                command.action = StartAction::ShowVersion;
            else if (arg == "--help-page")
                command.action = StartAction::ShowHelpPage;
            else
                return UsageError("unknown option " + arg);
            return command;
        }
        if (arg.empty()) return UsageError("an empty file name");
        files.push_back(arg);
    }
    if (files.size() > 3) return UsageError("too many files (at most three)");

    StartCommand command;
    PlaceInputs({files.begin(), files.begin() + std::min<std::size_t>(files.size(), 2)},
                command.files);
    if (files.size() == 3) command.files.output = Absolute(files[2]);
    return command;
}

std::string StartUsage() {
    return "Usage: orvane [PICTURE] [RECORDING] [OUTPUT]\n"
           "       orvane --help | --version | --help-page\n"
           "\n"
           "Opens the window and takes the files given as files dropped on it: a\n"
           "BMP or WAVE is checked, any other picture or song (JPEG, PNG, MP3,\n"
           "FLAC...) is imported. PICTURE and RECORDING may come in either order;\n"
           "OUTPUT names the image to write.\n"
           "\n"
           "  --help       print this text and exit\n"
           "  --version    print the version and exit\n"
           "  --help-page  print where F1 finds the help page and exit\n"
           "  --           end of options\n"
           "\n"
           "orvane-cli makes images without the window.\n";
}

}  // namespace orvane
