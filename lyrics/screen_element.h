// What the layout hands the renderer: each thing shown over the picture (a
// line, the title, a countdown) as its own ASS script, with its box on the
// screen and the times it appears, changes, is done and goes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lyrics/ass_raster.h"

namespace orvane {

// A moment the element's look changes while it is shown: a syllable being
// sung (over its duration when it sweeps) or a countdown's step. Times as
// libass sees them (whole centiseconds).
struct LookChange {
    std::int64_t startMs = 0, endMs = 0;
    bool sweep = false;
    int word = -1;  // the word sung then (index into the timeline's words), -1: none
};

struct ScreenElement {
    enum class Kind { Line, Title, Countdown };
    Kind kind = Kind::Line;
    int line = -1;       // Kind::Line: index into Lyrics::lines
    std::string script;  // a whole 288 x 192 script with this element's events only
    InkBox box;          // every pixel it may colour, outline included
    std::int64_t appearMs = 0, clearMs = 0;
    // Where its place is free before it appears, it may be drawn from here
    // on, not sooner: a line while the line two before it is sung (reading
    // further ahead mixes the lines up), a countdown only on time.
    std::int64_t earliestMs = 0;
    // From here on nothing of it is needed any more: a line is sung, a
    // title or countdown has gone.
    std::int64_t doneMs = 0;
    std::vector<LookChange> changes;  // in order of start
};

}  // namespace orvane
