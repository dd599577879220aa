// Where the words of a line are: the runs of syllables Lyrics::WordCount
// counts, so the layout wraps between them and the timeline names them.
#pragma once

#include <cstddef>
#include <vector>

#include "lyrics/lyrics_model.h"

namespace orvane {

struct WordSpan {
    std::size_t first = 0, last = 0;  // syllables [first, last)
};

std::vector<WordSpan> WordSpans(const LyricsLine& line);

}  // namespace orvane
