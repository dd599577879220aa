#include "app/import_flow.h"

#include <filesystem>

#include "app/drop_route.h"
#include "app/file_selection.h"
#include "input/file_identity.h"

namespace orvane {

namespace fs = std::filesystem;

namespace {

// Content decides, so "All files" is always there for names that say nothing.
const char* const kPictureFilter =
    "Pictures (*.png, *.jpg, *.webp, *.gif, *.tif, *.bmp)|"
    "*.png;*.jpg;*.jpeg;*.jpe;*.jfif;*.webp;*.gif;*.tif;*.tiff;*.bmp|All Files (*.*)|*.*";
const char* const kRecordingFilter =
    "Songs and videos (*.mp3, *.m4a, *.flac, *.ogg, *.opus, *.wav, *.mp4, *.mkv)|"
    "*.mp3;*.m4a;*.aac;*.flac;*.ogg;*.oga;*.opus;*.wav;*.wma;*.mp4;*.m4v;*.mkv;*.webm;*.mov;"
    "*.avi|All Files (*.*)|*.*";

}  // namespace

std::string DefaultImportTarget(const std::string& source, const std::string& extension) {
    const fs::path from(source);
    const fs::path folder = from.parent_path();
    const std::string stem = from.stem().string();
    std::string target = (folder / (stem + "." + extension)).string();
    if (SameFile(target, source)) target = (folder / (stem + "-converted." + extension)).string();
    return target;
}

void ImportFlow::ShowImportError(const std::string& path, const std::string& reason) {
    effects_.ShowError("Cannot import " + path + ":\n" + reason);
}

std::string ImportFlow::ChooseTarget(const std::string& source, bool picture) {
    const std::string extension = picture ? "bmp" : "wav";
    ChooserRequest request{
        false, picture ? "Save converted picture as" : "Save converted recording as",
        picture ? ChooserFilter("Bitmap files", "BMP") : ChooserFilter("Wave files", "WAV"),
        extension, DefaultImportTarget(source, extension)};
    for (;;) {
        FileChoice choice = effects_.Choose(request);
        if (!choice.chosen || choice.path.empty()) return {};
        if (!SameFile(choice.path, source)) return choice.path;
        effects_.ShowError("The converted file cannot replace the file it is made from:\n" +
                           source + "\nChoose another name.");
    }
}

bool ImportFlow::SavePicture(const std::string& source, const Picture& picture,
                             std::string& saved) {
    const std::string target = ChooseTarget(source, true);
    if (target.empty()) return false;
    const ImportOutcome outcome = effects_.WritePicture(picture, target, source);
    if (!outcome.ok()) {
        effects_.ShowError(outcome.reason);
        return false;
    }
    saved = target;
    return true;
}

void ImportFlow::ImportPicture() {
    const FileChoice choice = effects_.Choose({true, "Import picture", kPictureFilter, {}, {}});
    if (choice.chosen && !choice.path.empty()) ImportPictureFrom(choice.path);
}

void ImportFlow::ImportRecording() {
    const FileChoice choice = effects_.Choose({true, "Import recording", kRecordingFilter, {}, {}});
    if (choice.chosen && !choice.path.empty()) ImportRecordingFrom(choice.path);
}

// A Save whose chooser is cancelled, or whose file cannot be written, leaves
// the dialog open with its options as they were.
void ImportFlow::ImportPictureFrom(const std::string& source) {
    std::string saved;
    std::string reason;
    const auto save = [&](const Picture& picture) { return SavePicture(source, picture, saved); };
    if (!effects_.EditPicture(source, save, reason)) {
        if (!reason.empty()) ShowImportError(source, reason);
        return;
    }
    if (!saved.empty()) effects_.TakeBitmap(saved);
}

// Asked first, so a file with no sound is refused before a name is chosen
// for it.
void ImportFlow::ImportRecordingFrom(const std::string& source) {
    std::string reason;
    if (effects_.Probe(source, reason) != MediaKind::Recording) {
        ShowImportError(source, reason.empty() ? "It has no sound." : reason);
        return;
    }
    const std::string target = ChooseTarget(source, false);
    if (target.empty()) return;
    const ImportOutcome outcome = effects_.ConvertRecording(source, target);
    switch (outcome.status) {
        case ImportOutcome::Status::Done:
            effects_.TakeWave(target);
            break;
        case ImportOutcome::Status::Stopped:
            break;
        case ImportOutcome::Status::Failed:
            ShowImportError(source, outcome.reason);
            break;
    }
}

void ImportFlow::TakeDropped(const std::vector<std::string>& paths) {
    const MediaProbe probe = [this](const std::string& path, std::string& reason) {
        return effects_.Probe(path, reason);
    };
    for (const std::string& path : paths) {
        std::string reason;
        switch (RouteForDrop(path, probe, reason)) {
            case DropRoute::Bitmap:
                effects_.TakeBitmap(path);
                break;
            case DropRoute::Wave:
                effects_.TakeWave(path);
                break;
            case DropRoute::ImportPicture:
                ImportPictureFrom(path);
                break;
            case DropRoute::ImportRecording:
                ImportRecordingFrom(path);
                break;
            case DropRoute::Refused:
                ShowImportError(path, reason);
                break;
        }
    }
}

}  // namespace orvane
