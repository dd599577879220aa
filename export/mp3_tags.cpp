#include "export/mp3_tags.h"

#include <filesystem>

namespace orvane {
namespace {

constexpr char kSeparator[] = " - ";

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Mp3Tags TagsFor(const std::string& title, const std::string& artist, const std::string& mp3) {
    const std::string base = std::filesystem::path(mp3).stem().string();
    Mp3Tags tags{base, {}};
    if (const auto at = base.find(kSeparator); at != std::string::npos) {
        const std::string named = Trimmed(base.substr(0, at));
        const std::string song = Trimmed(base.substr(at + sizeof kSeparator - 1));
        if (!named.empty() && !song.empty()) tags = {song, named};
    }
    if (!title.empty()) tags.title = title;
    if (!artist.empty()) tags.artist = artist;
    return tags;
}

}  // namespace orvane
