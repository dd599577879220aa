// Timed lyrics as every part of Orvane sees them, whatever file they came
// from: lines of syllables with their times, the tags that name the song, and
// the style the author chose. The readers fill it, the layout and the timing
// window read it, the writers save it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// How a syllable changes from the not-yet-sung to the sung colour.
enum class SyllableEffect {
    Instant,  // {\k}: all at once at its start
    Sweep,    // {\kf} / {\K}: a wipe from left to right over its duration
    Outline,  // {\ko}: the outline changes at its start
};

// One sung piece of a line: a word, or part of one. A syllable whose text
// ends in a space closes a word; times are milliseconds from the song's
// start, endMs >= startMs.
struct Syllable {
    std::string text;  // UTF-8, as shown (no '/' or tags)
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    SyllableEffect effect = SyllableEffect::Sweep;
};

// An ASS colour: RGB and ASS's alpha (0 opaque, 255 transparent).
struct LyricsColour {
    std::uint8_t r = 0, g = 0, b = 0, alpha = 0;
    bool operator==(const LyricsColour&) const = default;
};

// The author's look, as far as an ASS style says it. Defaults: a bold sans,
// white before it is sung, a strong sung colour, a dark outline.
struct LyricsStyle {
    std::string font = "DejaVu Sans";
    double size = 20;  // pixels of the 288 x 192 screen
    bool bold = true;
    LyricsColour sung{0x00, 0xA0, 0xFF, 0};    // ASS primary
    LyricsColour unsung{0xFF, 0xFF, 0xFF, 0};  // ASS secondary
    LyricsColour outline{0x10, 0x10, 0x30, 0};
    LyricsColour back{0x00, 0x00, 0x00, 0x80};  // shadow or band
    double outlineWidth = 2;
    double shadow = 0;
    int alignment = 2;  // numpad layout, as \an
    int marginLeft = 12, marginRight = 12, marginVertical = 12;
};

struct LyricsPosition {
    double x = 0, y = 0;  // \pos, in the 288 x 192 screen
};

struct LyricsLine {
    std::vector<Syllable> syllables;
    // Where the author placed the line (\pos, \an); empty: the layout decides.
    std::optional<LyricsPosition> position;
    std::optional<int> alignment;
    int sourceLine = 0;  // 1-based line of the file it came from

    std::int64_t StartMs() const { return syllables.empty() ? 0 : syllables.front().startMs; }
    std::int64_t EndMs() const { return syllables.empty() ? 0 : syllables.back().endMs; }
};

struct Lyrics {
    std::string title, artist, album, author;  // [ti:] [ar:] [al:] [by:] or the script's
    LyricsStyle style;
    std::vector<LyricsLine> lines;  // in order of their first syllable

    // Words are runs of syllables up to one whose text ends in a space (or
    // the line's end): "Hel" "lo " "world" is two words.
    std::size_t WordCount() const;
};

// What a reader says: the lyrics, or why not, with the 1-based line number
// of the file where the fault is (0 when it is about the whole file).
struct LyricsReadResult {
    bool ok = false;
    Lyrics lyrics;
    int line = 0;
    std::string reason;  // a whole sentence, ready to show
};

// A reader's refusal at 1-based `line` (0: the whole file).
LyricsReadResult LyricsRefusal(int line, std::string reason);

}  // namespace orvane
