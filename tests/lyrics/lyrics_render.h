// Lyrics as one text the tables compare, so a row shows at a glance what a
// reader made: "L<source line>: [syllable]start-end ..." per line (effects
// as i/s/o when asked), the song's tags first when there are any, and a
// refusal as "line N: reason".
#pragma once

#include <cstdio>
#include <string>

#include "lyrics/lyrics_model.h"

namespace orvane::test {

inline std::string Render(const LyricsReadResult& r, bool effects = false) {
    if (!r.ok) return "line " + std::to_string(r.line) + ": " + r.reason;
    const Lyrics& l = r.lyrics;
    std::string out;
    if (!(l.title + l.artist + l.album + l.author).empty())
        out += "ti=" + l.title + " ar=" + l.artist + " al=" + l.album + " by=" + l.author + "\n";
    for (const LyricsLine& line : l.lines) {
        out += "L" + std::to_string(line.sourceLine) + ":";
        if (line.alignment) out += " an" + std::to_string(*line.alignment);
        if (line.position) {
            char at[64];
            std::snprintf(at, sizeof at, " @%.2f,%.2f", line.position->x, line.position->y);
            out += at;
        }
        for (const Syllable& s : line.syllables) {
            out += " [" + s.text + "]" + std::to_string(s.startMs) + "-" + std::to_string(s.endMs);
            if (effects) out += "iso"[static_cast<int>(s.effect)];
        }
        out += "\n";
    }
    return out;
}

}  // namespace orvane::test
