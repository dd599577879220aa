// Lyrics files as the window and orvane-cli open them: one reader for every
// format, chosen by what the file holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lyrics/lyrics_model.h"

namespace orvane {

// Lyrics are a few kilobytes; a file far larger is not lyrics (a recording
// picked by mistake) and is refused before it is read.
inline constexpr std::int64_t kMaxLyricsFileBytes = 4 * 1024 * 1024;

// The refusal of a text without times, naming where to time it.
inline constexpr const char* kNoTimesReason =
    "This text has no times. Time it in Orvane's Lyrics window (Tools > Time lyrics...).";

// Reads timed lyrics (LRC or ASS) from a file. Refuses what is not a regular
// file, larger than kMaxLyricsFileBytes, not UTF-8 text, and a plain text
// without times (kNoTimesReason).
LyricsReadResult ReadLyricsFile(const std::string& path);

// The same for a file's bytes already in memory.
LyricsReadResult ReadLyricsBytes(std::string_view bytes);

// Words to be timed, from a plain text: one lyrics line per line of text that
// has words (empty lines are dropped), words split at spaces, a '/' inside a
// word splits it into syllables (shown without the '/'). Every time is 0.
LyricsReadResult ReadPlainText(std::string_view bytes);

// What the timing window opens: a timed file as ReadLyricsFile reads it
// (timed true), or a plain text's words as ReadPlainText reads them.
struct TimingSource {
    LyricsReadResult read;
    bool timed = false;
};
TimingSource ReadTimingSource(const std::string& path);

// One line for a log or a message box: "PATH, line N: REASON", or
// "PATH: REASON" when the refusal is about the whole file.
std::string DescribeLyricsRefusal(const std::string& path, const LyricsReadResult& refusal);

}  // namespace orvane
