// The ASS scripts libass draws the lyrics from: one style with the author's
// font, size and outline, and colours that name their palette entry, so each
// image libass returns maps to an index whatever colours the author chose.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lyrics/lyrics_model.h"

namespace orvane {

struct AssLook {
    std::string font;  // family name
    double size = 20;
    bool bold = true;
    double outline = 2, shadow = 0;
    // The author's alpha of each role (libass hides a transparent part).
    std::uint8_t unsungAlpha = 0, sungAlpha = 0, outlineAlpha = 0, backAlpha = 0;
};

AssLook LookOf(const LyricsStyle& style);

// A whole script: the look as its one style, a frame of `width` x `height`
// pixels (a large one measures lines longer than the screen), and the given
// Dialogue lines.
std::string AssScript(const AssLook& look, int width, int height,
                      const std::vector<std::string>& events);

// "Dialogue: ..." from start to end (milliseconds, rounded down to ASS's
// centiseconds) with `text`, tags included.
std::string AssDialogue(std::int64_t startMs, std::int64_t endMs, const std::string& text);

// The palette index a libass image colour (RGBA) stands for, or nothing.
std::optional<std::uint8_t> IndexOfAssColour(std::uint32_t rgba);

// Plain text made safe for an event: braces and backslashes shown as
// themselves, line breaks as spaces, every space doubled.
std::string AssText(const std::string& utf8);

// Syllables [first, last) of a line as karaoke text for an event that starts
// at `eventStartMs`: an empty {\k} for every pause, then {\k}, {\kf} or {\ko}
// by the syllable's effect.
// `times`, when given, gets each syllable's start and end as libass sees
// them (whole centiseconds, never before the one ahead).
struct SyllableTime {
    std::int64_t startMs = 0, endMs = 0;
};
std::string KaraokeText(const std::vector<Syllable>& syllables, std::size_t first, std::size_t last,
                        std::int64_t eventStartMs, std::vector<SyllableTime>* times = nullptr);

// The same syllables all sung at once: what measuring draws, split into the
// same runs as the karaoke text so the letters fall alike.
std::string SungText(const std::vector<Syllable>& syllables, std::size_t first, std::size_t last);

// Override tags filling plain text (not karaoke) with the not-yet-sung
// colour, as a title is shown.
std::string UnsungFillTags(const AssLook& look);

// Override tags placing an event with its top left corner at (x, y), at
// `size` pixels and `scaleX` percent of the width.
std::string PlaceTags(int x, int y, double size, int scaleX = 100);

}  // namespace orvane
