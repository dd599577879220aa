#include "app/player_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace orvane {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 4> kAudioExtensions{".mp3", ".wav", ".ogg", ".flac"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Lower is better; -1 for a file that does not go with the stream.
int Rank(const fs::path& candidate, const std::string& stem) {
    const std::string extension = Lower(candidate.extension().string());
    const auto found = std::find(kAudioExtensions.begin(), kAudioExtensions.end(), extension);
    if (found == kAudioExtensions.end()) return -1;
    const std::string name = candidate.stem().string();
    const int order = static_cast<int>(found - kAudioExtensions.begin());
    if (name == stem) return order;
    if (Lower(name) == Lower(stem)) return static_cast<int>(kAudioExtensions.size()) + order;
    return -1;
}

}  // namespace

std::string ChooserStart(const std::string& lastImagePath) {
    if (lastImagePath.empty()) return {};
    std::error_code error;
    if (fs::is_regular_file(lastImagePath, error)) return lastImagePath;
    const fs::path folder = fs::path(lastImagePath).parent_path();
    return fs::is_directory(folder, error) ? folder.string() : std::string();
}

std::string CompanionAudio(const std::string& cdgPath) {
    const fs::path stream(cdgPath);
    const std::string stem = stream.stem().string();
    fs::path folder = stream.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    if (error) return {};
    fs::path best;
    int bestRank = -1;
    for (const fs::directory_entry& entry : entries) {
        const int rank = Rank(entry.path().filename(), stem);
        if (rank < 0 || (bestRank >= 0 && rank >= bestRank)) continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        best = entry.path();
        bestRank = rank;
    }
    return best.string();
}

}  // namespace orvane
