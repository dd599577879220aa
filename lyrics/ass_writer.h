// ASS as Orvane saves it: a 288 x 192 script with one style (LyricsStyle)
// and one Dialogue event per line, each syllable led by its karaoke tag
// ({\k} instant, {\kf} sweep, {\ko} outline) and a gap before it as an empty
// {\k}. ASS counts in centiseconds: times are rounded to 10 ms, and ReadAss
// gives back exactly those rounded times.
#pragma once

#include <string>

#include "lyrics/lyrics_model.h"

namespace orvane {

std::string AssText(const Lyrics& lyrics);

}  // namespace orvane
