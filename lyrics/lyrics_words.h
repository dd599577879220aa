// How the readers turn text into syllables, shared so that LRC, ASS and plain
// text split words alike. Not for callers outside lyrics/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/lyrics_model.h"

namespace orvane {

// More syllables than an hour of singing holds: a file that makes more
// (thousands of repeats of a long line) is refused, not held in memory.
inline constexpr std::size_t kMaxLyricsSyllables = 100000;

// Length of the UTF-8 sequence at the start of `s`; 0 when it is not valid
// UTF-8 (overlong, a surrogate, above U+10FFFF, cut short). `s` not empty.
std::size_t Utf8SequenceLength(std::string_view s);

// Characters (code points) of valid UTF-8 text.
std::size_t CodePoints(std::string_view text);

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Appends the words of `text` to `out`, sung one after the other from
// `startMs` to `endMs`, each for a share of the time in proportion to its
// length. Runs of spaces count as one; a word followed by a space keeps one
// trailing space (it closes the word). Leading space closes the syllable
// already at the end of `out`. Text of spaces alone changes nothing else.
void AppendSpread(std::string_view text, std::int64_t startMs, std::int64_t endMs,
                  SyllableEffect effect, std::vector<Syllable>& out);

// A line's end closes its last word: no trailing space there, so a line
// reads the same whatever its file did at the line's end.
void CloseLastWord(LyricsLine& line);

// "00:12.500": minutes (two digits at least), seconds, milliseconds.
std::string FormatMinutesMs(std::int64_t ms);

}  // namespace orvane
