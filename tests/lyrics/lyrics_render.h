// Lyrics as one text the tables compare, so a row shows at a glance what a
// reader made: "L<source line>: [syllable]start-end ..." per line (effects
// as i/s/o when asked), the song's tags first when there are any, and a
// refusal as "line N: reason"; a style as one line of its fields.
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

inline std::string Hex(const LyricsColour& c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02x%02x%02x/%02x", c.r, c.g, c.b, c.alpha);
    return text;
}

inline std::string RenderStyle(const LyricsStyle& s) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "%s %.2f %s %s %s %s %s outline %.2f shadow %.2f an%d %d,%d,%d", s.font.c_str(),
                  s.size, s.bold ? "bold" : "regular", Hex(s.sung).c_str(), Hex(s.unsung).c_str(),
                  Hex(s.outline).c_str(), Hex(s.back).c_str(), s.outlineWidth, s.shadow,
                  s.alignment, s.marginLeft, s.marginRight, s.marginVertical);
    return text;
}

}  // namespace orvane::test
