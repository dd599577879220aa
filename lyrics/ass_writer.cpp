#include "lyrics/ass_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "lyrics/ass_units.h"

namespace orvane {

namespace {

// The shortest text that reads back as the same number.
std::string Number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string Colour(const LyricsColour& c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%02X%02X%02X%02X", c.alpha, c.b, c.g, c.r);
    return buffer;
}

std::int64_t Centiseconds(std::int64_t ms) {
    return std::max<std::int64_t>(ms, 0) / 10 + (ms % 10 >= 5);
}

// Event text cannot hold line breaks, and braces would open a tag block.
std::string Plain(std::string text) {
    for (char& c : text) {
        if (c == '\n') c = ' ';
        if (c == '{') c = '(';
        if (c == '}') c = ')';
    }
    return text;
}

// A syllable's text in an event: a backslash before N, n or h would read
// as a line break or a hard space; an empty block between keeps it a
// backslash, for libass and for ReadAss alike.
std::string EventText(const std::string& text) {
    std::string out;
    for (const char c : Plain(text)) {
        if ((c == 'N' || c == 'n' || c == 'h') && !out.empty() && out.back() == '\\') out += "{}";
        out += c;
    }
    return out;
}

void Header(std::string& out, const Lyrics& lyrics) {
    out += "[Script Info]\n; Written by Orvane\n";
    auto field = [&out](const char* name, const std::string& value) {
        if (!value.empty()) out += std::string(name) + ": " + Plain(value) + "\n";
    };
    field("Title", lyrics.title);
    field("Artist", lyrics.artist);
    field("Album", lyrics.album);
    field("Original Script", lyrics.author);
    out +=
        "ScriptType: v4.00+\nPlayResX: 288\nPlayResY: 192\nScaledBorderAndShadow: yes\n"
        "WrapStyle: 0\n\n";
}

void Style(std::string& out, const LyricsStyle& s) {
    std::string font = Plain(s.font);
    std::replace(font.begin(), font.end(), ',', ' ');  // commas separate the fields
    out +=
        "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, "
        "Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
        "Encoding\n";
    out += "Style: Default," + font + "," + Number(s.size) + "," + Colour(s.sung) + "," +
           Colour(s.unsung) + "," + Colour(s.outline) + "," + Colour(s.back) + "," +
           (s.bold ? "-1" : "0") + ",0,0,0,100,100,0,0,1," + Number(s.outlineWidth) + "," +
           Number(s.shadow) + "," + std::to_string(s.alignment) + "," +
           std::to_string(s.marginLeft) + "," + std::to_string(s.marginRight) + "," +
           std::to_string(s.marginVertical) + ",1\n\n";
}

// One Dialogue event; each syllable's start and end are rounded to
// centiseconds where they fall, so no rounding error adds up along the line.
// A syllable that overlaps the next ends where the next starts (as in LRC):
// the starts are what the author tapped.
void Event(std::string& out, const LyricsLine& line) {
    const std::int64_t start = Centiseconds(line.StartMs());
    std::int64_t at = start;
    std::string text;
    if (line.alignment || line.position) {
        text += "{";
        if (line.alignment) text += "\\an" + std::to_string(*line.alignment);
        if (line.position)
            text += "\\pos(" + Number(line.position->x) + "," + Number(line.position->y) + ")";
        text += "}";
    }
    const auto& syllables = line.syllables;
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        const Syllable& s = syllables[i];
        const std::int64_t from = std::max(Centiseconds(s.startMs), at);
        if (from > at) text += "{\\k" + std::to_string(from - at) + "}";
        at = std::max(Centiseconds(s.endMs), from);
        if (i + 1 < syllables.size())
            at = std::min(at, std::max(Centiseconds(syllables[i + 1].startMs), from));
        text += "{\\" + std::string(KaraokeTag(s.effect)) + std::to_string(at - from) + "}" +
                EventText(s.text);
    }
    const std::int64_t end = std::max(Centiseconds(line.EndMs()), at);
    out +=
        "Dialogue: 0," + AssClock(start) + "," + AssClock(end) + ",Default,,0,0,0,," + text + "\n";
}

}  // namespace

std::string AssText(const Lyrics& lyrics) {
    std::string out;
    Header(out, lyrics);
    Style(out, lyrics.style);
    out +=
        "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
        "Text\n";
    for (const LyricsLine& line : lyrics.lines) {
        if (!line.syllables.empty()) Event(out, line);
    }
    return out;
}

}  // namespace orvane
