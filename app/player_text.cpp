#include "app/player_text.h"

#include <cstdio>
#include <filesystem>

namespace orvane {

namespace {

constexpr std::uint64_t kSectorsPerSecond = 75;

// "12,345"
std::string Grouped(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
    return digits;
}

std::string Sentence(const std::string& text) {
    if (text.empty() || text.back() == '.') return text;
    return text + ".";
}

void Add(std::string& line, const std::string& sentence) {
    if (!line.empty()) line += "  ";
    line += Sentence(sentence);
}

}  // namespace

std::string ClockText(std::uint64_t sectors) {
    const std::uint64_t seconds = sectors / kSectorsPerSecond;
    const std::uint64_t rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

std::string PositionText(std::uint64_t sectors, std::uint64_t totalSectors) {
    return ClockText(sectors) + " / " + ClockText(totalSectors);
}

// Problems first, so the line shows them even when it is cut.
std::string StatusText(const PlayerNotes& notes) {
    std::string line;
    if (!notes.readError.empty()) Add(line, "Read error, playing stopped: " + notes.readError);
    const bool noFile = notes.cdgStream && notes.audioName.empty();
    const bool badFile = notes.cdgStream && !noFile && !notes.audioError.empty();
    if (noFile) {
        Add(line, "No .mp3, .wav, .ogg or .flac file of the same name beside it: no sound");
    } else if (badFile) {
        Add(line, notes.audioName + " cannot be played (" + notes.audioError + "): no sound");
    } else if (!notes.device) {
        std::string text = "No audio device";
        if (!notes.deviceError.empty()) text += " (" + notes.deviceError + ")";
        Add(line, text + ": playing silently");
    }
    if (notes.ignoredBytes > 0) {
        Add(line, "The last " + Grouped(notes.ignoredBytes) +
                      (notes.ignoredBytes == 1 ? " byte is" : " bytes are") +
                      " not a whole sector and not played");
    }
    if (notes.cdgStream && !noFile && !badFile && notes.device)
        Add(line, "Sound from " + notes.audioName);
    if (notes.pictureCompleteSectors > 0) {
        char text[64];
        std::snprintf(text, sizeof text, "Last tile drawn at %.2f s",
                      static_cast<double>(notes.pictureCompleteSectors) / kSectorsPerSecond);
        Add(line, text);
    }
    return line;
}

std::string OpenFailureText(const std::string& path, const std::string& message) {
    const std::string name = std::filesystem::path(path).filename().string();
    return "Cannot play \"" + name + "\":\n" + Sentence(message);
}

}  // namespace orvane
