// What every lyrics reader promises, checked on whatever the fuzzer feeds
// it, and the round trip through Orvane's own writer. Shared by the LRC and
// ASS targets.
#pragma once

#include <cstdlib>
#include <string>
#include <string_view>

#include "lyrics/lyrics_model.h"
#include "lyrics/lyrics_text.h"

namespace orvane::fuzz {

inline void Check(bool holds) {
    if (!holds) std::abort();
}

inline int LineCount(std::string_view text) {
    int lines = 1;
    for (char c : text) lines += c == '\n';
    return lines;
}

// A word or part of one: text without spaces, then at most one closing space.
inline bool WellFormedText(const std::string& text) {
    const std::size_t blank = text.find_first_of(" \t\n");
    return !text.empty() && blank != 0 &&
           (blank == std::string::npos || (blank == text.size() - 1 && text.back() == ' '));
}

// A refusal names a line of the text (or none) and a reason; lyrics come in
// order, with syllables that neither overlap nor run backwards.
inline void CheckRead(const LyricsReadResult& read, std::string_view text) {
    const int lines = LineCount(text);
    if (!read.ok) {
        Check(!read.reason.empty() && read.line >= 0 && read.line <= lines);
        return;
    }
    Check(!read.lyrics.lines.empty());
    std::int64_t lineStart = 0;
    for (const LyricsLine& line : read.lyrics.lines) {
        Check(!line.syllables.empty() && line.sourceLine >= 0 && line.sourceLine <= lines);
        Check(line.StartMs() >= lineStart);
        lineStart = line.StartMs();
        std::int64_t at = 0;
        for (const Syllable& s : line.syllables) {
            Check(WellFormedText(s.text) && s.startMs >= at && s.endMs >= s.startMs);
            at = s.endMs;
        }
        Check(line.syllables.back().text.back() != ' ');
        if (line.alignment) Check(*line.alignment >= 1 && *line.alignment <= 9);
    }
    Check(read.lyrics.WordCount() >= read.lyrics.lines.size());
}

// Bytes as a file holds them: refused with a line and a reason, or made plain.
inline bool Normalise(const std::uint8_t* data, std::size_t size, std::string& text) {
    const LyricsReadResult plain =
        NormaliseLyricsText({reinterpret_cast<const char*>(data), size}, text);
    if (!plain.ok) Check(plain.line >= 1 && !plain.reason.empty());
    return plain.ok;
}

}  // namespace orvane::fuzz
