// LRC files, plain and enhanced: line times [mm:ss.xx] or [mm:ss.xxx] (several
// on one line repeat it), [offset:+/-ms], the tags [ti:] [ar:] [al:] [by:],
// and word times <mm:ss.xx> inside a line.
#pragma once

#include <cstdint>
#include <string_view>

#include "lyrics/lyrics_model.h"

namespace orvane {

// A line without word times is sung evenly, word by word in proportion to
// their length, from its time to the next line's time, but over no more than
// this: a line before an instrumental break is not wiped across the break.
inline constexpr std::int64_t kLrcMaxEvenLineMs = 10000;
// The last line of a file without word times has no next line to end it: it
// lasts this long per word, within 2 s .. kLrcMaxEvenLineMs.
inline constexpr std::int64_t kLrcLastLineMsPerWord = 600;
// A last word with no time after it (no closing <mm:ss.xx>) ends at the next
// line's time, but at most this long after its start.
inline constexpr std::int64_t kLrcOpenWordMs = 2000;

// Reads normalised text (NormaliseLyricsText). Lines come out in order of
// their times; a line that repeats is copied to each of its times.
LyricsReadResult ReadLrc(std::string_view text);

// True when some line starts with a line time tag.
bool HasLrcLineTimes(std::string_view text);

}  // namespace orvane
