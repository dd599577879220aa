// The export dialog's fields and what they ask the export to write.
#pragma once

#include <string>

#include "export/export_request.h"

namespace orvane {

struct ExportChoices {
    std::string image;
    std::string folder;    // where the files go
    std::string baseName;  // NAME of NAME.zip, NAME.mp3 ...
    bool mp3Zip = true;    // MP3+G zip
    bool mp3Cdg = false;   // NAME.mp3 + NAME.cdg
    bool wavCdg = false;   // NAME.wav + NAME.cdg
    bool wavZip = false;   // WAV+G zip
    bool toc = false;      // cdrdao's NAME.toc
    int bitrateKbps = 192;
};

// The choices with `image`, its folder and its name without the extension;
// the check boxes stay as they were.
ExportChoices WithImage(ExportChoices choices, const std::string& image);

// The files the choices name. Both bundles checked: the WAV+G one is
// "NAME (WAV+G).zip", so each zip keeps its own members' name.
ExportTargets TargetsFor(const ExportChoices& choices);

// What is missing or wrong, as the box says it; empty when the choices can run.
std::string CheckChoices(const ExportChoices& choices);

}  // namespace orvane
