#include "app/command_line.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <utility>

#include "input/file_chooser.h"

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
    std::array<char, 12> head{};
    std::ifstream file(path, std::ios::binary);
    if (!file.read(head.data(), head.size())) {
        // A BMP shorter than twelve bytes is still a (broken) BMP.
        if (file.gcount() >= 2 && head[0] == 'B' && head[1] == 'M') return InputKind::Picture;
        return InputKind::Other;
    }
    const std::string_view text(head.data(), head.size());
    if (text.starts_with("BM")) return InputKind::Picture;
    if (text.starts_with("RIFF") && text.substr(8, 4) == "WAVE") return InputKind::Recording;
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
           "Opens the window with the files given taken as if chosen with their\n"
           "browse buttons. PICTURE and RECORDING may come in either order: a BMP\n"
           "and a WAVE are told apart by their contents.\n"
           "\n"
           "  --help       print this text and exit\n"
           "  --version    print the version and exit\n"
           "  --help-page  print where F1 finds the help page and exit\n"
           "  --           end of options\n"
           "\n"
           "orvane-cli makes images without the window.\n";
}

void TakeStartFiles(FileSelection& selection, const StartFiles& files) {
    if (!files.picture.empty()) selection.TakeBitmap(files.picture);
    if (!files.recording.empty()) selection.TakeWave(files.recording);
    if (!files.output.empty()) selection.TakeNamedOutput(WithDefaultExtension(files.output, "CDG"));
}

}  // namespace orvane
