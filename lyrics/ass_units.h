// What every ASS script Orvane writes spells the same way: a time and a
// syllable's karaoke tag. The layout's scripts (for libass) and the saved
// files share them.
#pragma once

#include <cstdint>
#include <string>

#include "lyrics/lyrics_model.h"

namespace orvane {

// H:MM:SS.cc from centiseconds (rounding to them is the caller's choice).
std::string AssClock(std::int64_t centiseconds);

// "k" (instant), "kf" (sweep) or "ko" (outline), without the backslash.
const char* KaraokeTag(SyllableEffect effect);

}  // namespace orvane
