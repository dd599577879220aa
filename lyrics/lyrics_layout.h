// The lyrics laid out as things shown over the picture: each line fitted and
// placed in pages (or where the author put it), on screen from its lead
// before its first word until its place is needed or a few seconds after it
// is sung; the title and artist until the first line comes; a countdown
// before a line that follows a long break.
#pragma once

#include <string>
#include <vector>

#include "lyrics/lyrics_model.h"
#include "lyrics/screen_element.h"
#include "lyrics/screen_timeline.h"
#include "lyrics/timeline_builder.h"

namespace orvane {

// A sung line stays this long unless its place is needed sooner.
inline constexpr std::int64_t kClearAfterMs = 3000;
// A break at least this long gets a countdown of this many seconds.
inline constexpr std::int64_t kCountdownBreakMs = 8000;
inline constexpr int kCountdownSeconds = 3;

struct LyricsLayout {
    bool ok = false;
    std::string message;
    std::vector<ScreenElement> elements;  // in the order they are drawn over each other
    std::vector<TimelineWord> words;
};

// Nothing is planned at or after `endMs` (the recording's end).
LyricsLayout LayOutLyrics(const Lyrics& lyrics, const LayoutOptions& options, std::int64_t endMs);

}  // namespace orvane
