// ASS and SSA scripts as subtitle editors write karaoke: libass reads the
// script (sections, styles, events); the karaoke tags inside each event's
// text ({\k}, {\K}, {\kf}, {\ko}) and the line's own {\pos} and {\an} are
// read here, since libass keeps them to itself.
#pragma once

#include <string_view>

#include "lyrics/lyrics_model.h"

namespace orvane {

// Reads normalised text (NormaliseLyricsText). Sizes, margins and positions
// are scaled from the script's PlayResX x PlayResY to the 288 x 192 screen.
// Times are the script's: centiseconds.
LyricsReadResult ReadAss(std::string_view text);

// True when some line opens an ASS section ([Script Info], [V4+ Styles],
// [V4 Styles], [Events]).
bool LooksLikeAss(std::string_view text);

}  // namespace orvane
