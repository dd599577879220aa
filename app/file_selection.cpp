#include "app/file_selection.h"

#include <sys/stat.h>

#include "app/activity_log.h"
#include "input/bitmap_reader.h"
#include "input/output_rule.h"
#include "input/wave_reader.h"

namespace orvane {

std::string ChooserFilter(const std::string& description, const std::string& extension) {
    return description + " (*." + extension + ")|*." + extension + "|All Files (*.*)|*.*";
}

std::string ChooserTitle(bool open, const std::string& extension) {
    return open ? "Load " + extension + " file" : std::string("Save CDG file as");
}

std::string FileSelection::ChooseFile(bool open, const std::string& description,
                                      const std::string& extension) {
    model_.jobState.fileChosen = false;
    FileChoice choice = effects_.ChooseFile(open, ChooserTitle(open, extension),
                                            ChooserFilter(description, extension), extension);
    if (!choice.chosen || choice.path.empty()) return {};
    model_.jobState.fileChosen = true;
    return std::move(choice.path);
}

// A cancelled picture or recording chooser keeps whatever was selected
// before: the flag is only recomputed for a confirmed file, and a refused
// file leaves nothing selected (not even the earlier, valid one).
void FileSelection::BrowseInput(const std::string& description, const std::string& extension,
                                std::string& path, bool& valid, bool (FileSelection::*check)()) {
    std::string chosen = ChooseFile(true, description, extension);
    if (model_.jobState.fileChosen) {
        TakeInput(std::move(chosen), path, valid, check);
        return;
    }
    if (!valid) path.clear();
    effects_.ShowPaths();
}

void FileSelection::TakeInput(std::string chosen, std::string& path, bool& valid,
                              bool (FileSelection::*check)()) {
    path = std::move(chosen);
    valid = (this->*check)();
    if (!valid) path.clear();
    effects_.ShowPaths();
}

void FileSelection::TakeBitmap(std::string path) {
    TakeInput(std::move(path), model_.bitmapPath, model_.jobState.bitmapValid,
              &FileSelection::LoadBitmapFile);
}

void FileSelection::TakeWave(std::string path) {
    TakeInput(std::move(path), model_.wavePath, model_.jobState.waveValid,
              &FileSelection::CheckWaveFile);
}

void FileSelection::TakeOutput(std::string path) {
    model_.outputPath = std::move(path);
    model_.jobState.outputChosen = !model_.outputPath.empty();
    if (model_.jobState.outputChosen) {
        AddLogLine(effects_, "Output file selected: " + model_.outputPath);
    }
    effects_.ShowPaths();
}

// A folder or device is not asked about: Start refuses it with the reason.
void FileSelection::TakeNamedOutput(std::string path) {
    struct stat st {};
    const bool exists = lstat(path.c_str(), &st) == 0 && NotAFileKind(path).empty();
    if (exists && !effects_.AskToReplace(path)) return;
    TakeOutput(std::move(path));
}

void FileSelection::OnBrowseBitmap() {
    BrowseInput("Bitmap files", "BMP", model_.bitmapPath, model_.jobState.bitmapValid,
                &FileSelection::LoadBitmapFile);
}

void FileSelection::OnBrowseWave() {
    BrowseInput("Wave files", "WAV", model_.wavePath, model_.jobState.waveValid,
                &FileSelection::CheckWaveFile);
}

void FileSelection::OnBrowseOutput() {
    std::string chosen = ChooseFile(false, "Output file", "CDG");
    TakeOutput(model_.jobState.fileChosen ? std::move(chosen) : std::string());
}

// The readers report what to show; a box always comes before its log line,
// which is added once the box has been dismissed.
bool FileSelection::LoadBitmapFile() {
    const BitmapOutcome outcome = ReadBitmapFile(model_.bitmapPath, model_.picture);
    switch (outcome.status) {
        case BitmapStatus::Accepted:
            effects_.RedrawPreview();
            break;
        case BitmapStatus::Refused:
            effects_.ShowBox(outcome.boxText, BoxIcon::Error);
            break;
        case BitmapStatus::OpenFailed:
            effects_.ShowOpenFailureBox(outcome.boxText);
            break;
    }
    AddLogLine(effects_, outcome.logLine);
    return outcome.status == BitmapStatus::Accepted;
}

bool FileSelection::CheckWaveFile() {
    JobState& state = model_.jobState;
    WaveNumbers numbers{state.waveFileLength, state.audioDataOffset};
    const WaveOutcome outcome = orvane::CheckWaveFile(model_.wavePath, numbers);
    state.waveFileLength = numbers.fileLength;
    state.audioDataOffset = numbers.audioDataOffset;
    switch (outcome.status) {
        case WaveStatus::Accepted:
            break;
        case WaveStatus::OpenFailed:
            effects_.ShowOpenFailureBox(outcome.boxText);
            break;
        case WaveStatus::BadFormat:
        case WaveStatus::NoDataChunk:
        case WaveStatus::TooShort:
            effects_.ShowBox(outcome.boxText, BoxIcon::Error);
            break;
    }
    AddLogLine(effects_, outcome.logLine);
    return outcome.status == WaveStatus::Accepted;
}

}  // namespace orvane
