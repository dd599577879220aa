#include "lyrics/lyrics_writer.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "encoder/output_file.h"
#include "lyrics/ass_writer.h"
#include "lyrics/lrc_writer.h"

namespace orvane {

std::optional<LyricsSaveFormat> SaveFormatFor(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".lrc") return LyricsSaveFormat::Lrc;
    if (extension == ".ass") return LyricsSaveFormat::Ass;
    return std::nullopt;
}

LyricsSaveResult SaveLyrics(const std::string& path, const Lyrics& lyrics) {
    const std::optional<LyricsSaveFormat> format = SaveFormatFor(path);
    if (!format)
        return {false, "Lyrics are saved as .lrc (enhanced LRC) or .ass (ASS with karaoke tags): " +
                           path + " ends in neither."};
    const bool words = std::any_of(lyrics.lines.begin(), lyrics.lines.end(),
                                   [](const LyricsLine& l) { return !l.syllables.empty(); });
    if (!words) return {false, "There are no lyrics to save."};
    const std::string text = *format == LyricsSaveFormat::Lrc ? LrcText(lyrics) : AssText(lyrics);
    OutputFile file;
    OutputError error = file.Create(path);
    if (!error) error = file.Write(text.data(), text.size());
    if (!error) error = file.Commit(true);
    if (error) return {false, "Cannot save " + path + ": " + error.message};
    return {true, "Lyrics saved: " + path};
}

}  // namespace orvane
