#include "lyrics/ass_script.h"

#include <algorithm>
#include <cstdio>

#include "lyrics/ass_units.h"
#include "lyrics/screen_timeline.h"

namespace orvane {
namespace {

// An entry's colour in a script: red carries the index, green and blue are
// zero; libass hands it back unchanged in each image.
std::string RoleColour(std::uint8_t index, std::uint8_t alpha) {
    char text[16];
    std::snprintf(text, sizeof text, "&H%02X0000%02X", alpha, index);
    return text;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::int64_t Centiseconds(std::int64_t ms) {
    return std::max<std::int64_t>(0, ms) / 10;
}

std::string AssTime(std::int64_t ms) {
    return AssClock(Centiseconds(ms));
}

}  // namespace

AssLook LookOf(const LyricsStyle& style) {
    AssLook look;
    look.font = style.font;
    look.size = style.size;
    look.bold = style.bold;
    look.outline = std::max(0.0, style.outlineWidth);
    look.shadow = std::max(0.0, style.shadow);
    look.unsungAlpha = style.unsung.alpha;
    look.sungAlpha = style.sung.alpha;
    look.outlineAlpha = style.outline.alpha;
    look.backAlpha = style.back.alpha;
    return look;
}

std::string AssScript(const AssLook& look, int width, int height,
                      const std::vector<std::string>& events) {
    std::string font = look.font;
    std::replace(font.begin(), font.end(), ',', ' ');  // a field separator in a style
    std::string script =
        "[Script Info]\nScriptType: v4.00+\nPlayResX: " + std::to_string(width) +
        "\nPlayResY: " + std::to_string(height) +
        "\nWrapStyle: 2\nScaledBorderAndShadow: yes\n\n"
        "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, "
        "Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n";
    // Primary is ASS's sung colour, secondary the one before it is sung.
    script += "Style: L," + font + "," + Number(look.size) + "," +
              RoleColour(kSungIndex, look.sungAlpha) + "," +
              RoleColour(kUnsungIndex, look.unsungAlpha) + "," +
              RoleColour(kOutlineIndex, look.outlineAlpha) + "," +
              RoleColour(kBackIndex, look.backAlpha) + "," + (look.bold ? "-1" : "0") +
              ",0,0,0,100,100,0,0,1," + Number(look.outline) + "," + Number(look.shadow) +
              ",7,0,0,0,1\n\n";
    script +=
        "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, "
        "Effect, Text\n";
    for (const std::string& event : events) script += event;
    return script;
}

std::string AssDialogue(std::int64_t startMs, std::int64_t endMs, const std::string& text) {
    return "Dialogue: 0," + AssTime(startMs) + "," + AssTime(endMs) + ",L,,0,0,0,," + text + "\n";
}

std::optional<std::uint8_t> IndexOfAssColour(std::uint32_t rgba) {
    const std::uint32_t red = rgba >> 24;
    if ((rgba & 0x00FFFF00u) != 0 || red < kUnsungIndex || red > kBackIndex) return std::nullopt;
    return static_cast<std::uint8_t>(red);
}

std::string AssText(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        if (c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == '\\') {
            // A word joiner after it: no escape such as \N can form.
            out += "\\\xE2\x81\xA0";
        } else if (c == ' ' || c == '\n' || c == '\r') {
            // Words twice as far apart as the font sets them: outlined bold
            // letters of neighbouring words otherwise run together at this
            // resolution (for the eye on a television as for OCR).
            out += "  ";
        } else {
            out += c;
        }
    }
    return out;
}

std::string KaraokeText(const std::vector<Syllable>& syllables, std::size_t first, std::size_t last,
                        std::int64_t eventStartMs, std::vector<SyllableTime>* times) {
    std::string text;
    std::int64_t cursor = Centiseconds(eventStartMs);
    for (std::size_t i = first; i < last && i < syllables.size(); ++i) {
        const Syllable& s = syllables[i];
        const std::int64_t start = std::max(cursor, Centiseconds(s.startMs));
        const std::int64_t end = std::max(start, Centiseconds(s.endMs));
        if (start > cursor) text += "{\\k" + std::to_string(start - cursor) + "}";
        text += "{\\" + std::string(KaraokeTag(s.effect)) + std::to_string(end - start) + "}" +
                AssText(s.text);
        cursor = end;
        if (times) times->push_back({start * 10, end * 10});
    }
    return text;
}

std::string SungText(const std::vector<Syllable>& syllables, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i < last && i < syllables.size(); ++i)
        text += "{\\k0}" + AssText(syllables[i].text);
    return text;
}

std::string UnsungFillTags(const AssLook& look) {
    char text[48];
    std::snprintf(text, sizeof text, "{\\1c&H0000%02X&\\1a&H%02X&}", kUnsungIndex,
                  look.unsungAlpha);
    return text;
}

std::string PlaceTags(int x, int y, double size, int scaleX) {
    std::string tags =
        "{\\an7\\pos(" + std::to_string(x) + "," + std::to_string(y) + ")\\fs" + Number(size);
    if (scaleX != 100) tags += "\\fscx" + std::to_string(scaleX);
    return tags + "}";
}

}  // namespace orvane
