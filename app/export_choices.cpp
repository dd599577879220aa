#include "app/export_choices.h"

#include <filesystem>

namespace orvane {

ExportChoices WithImage(ExportChoices choices, const std::string& image) {
    const std::filesystem::path path(image);
    choices.image = image;
    choices.folder = path.parent_path().string();
    choices.baseName = path.stem().string();
    return choices;
}

ExportTargets TargetsFor(const ExportChoices& c) {
    const std::string base = (std::filesystem::path(c.folder) / c.baseName).string();
    ExportTargets t;
    if (c.mp3Cdg || c.wavCdg) t.cdg = base + ".cdg";
    if (c.mp3Cdg) t.mp3 = base + ".mp3";
    if (c.wavCdg) t.wav = base + ".wav";
    if (c.mp3Zip) t.mp3Zip = base + ".zip";
    if (c.wavZip) t.wavZip = base + (c.mp3Zip ? " (WAV+G).zip" : ".zip");
    if (c.toc) t.toc = base + ".toc";
    return t;
}

std::string CheckChoices(const ExportChoices& c) {
    if (c.image.empty()) return "Choose the image to export.";
    if (!(c.mp3Zip || c.mp3Cdg || c.wavCdg || c.wavZip || c.toc))
        return "Check at least one kind of file to export.";
    if (c.folder.empty()) return "Choose the folder for the exported files.";
    if (c.baseName.empty() || c.baseName == "." || c.baseName == ".." ||
        c.baseName.find('/') != std::string::npos)
        return "The base name must be a file name, without '/'.";
    return {};
}

}  // namespace orvane
