// Enhanced LRC as Orvane saves it: the tags, then one line per lyrics line
// with a time for every syllable, in milliseconds, so ReadLrc gives back the
// same times to the millisecond:
//   [00:12.000]<00:12.000>When <00:12.500>the <00:12.800>night<00:13.400>
// A syllable that ends before the next one starts gets its end time too.
#pragma once

#include <string>

#include "lyrics/lyrics_model.h"

namespace orvane {

std::string LrcText(const Lyrics& lyrics);

}  // namespace orvane
