#include "lyrics/lrc_writer.h"

#include <algorithm>

#include "lyrics/lyrics_words.h"

namespace orvane {

namespace {

void Tag(std::string& out, const char* name, const std::string& value) {
    if (value.empty()) return;
    std::string oneLine = value;
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    out += std::string("[") + name + ":" + oneLine + "]\n";
}

// "<00:12.500>", never before the time written last: a line whose times
// overlap still reads back (the overlap is lost, not the line).
void Time(std::string& out, std::int64_t ms, std::int64_t& last) {
    last = std::max(ms, last);
    out += "<" + FormatMinutesMs(last) + ">";
}

void Line(std::string& out, const LyricsLine& line) {
    std::int64_t last = 0;
    out += "[" + FormatMinutesMs(line.StartMs()) + "]";
    const auto& syllables = line.syllables;
    for (std::size_t i = 0; i < syllables.size(); ++i) {
        const Syllable& s = syllables[i];
        std::string text = s.text;
        std::replace(text.begin(), text.end(), '\n', ' ');
        const bool space = !text.empty() && text.back() == ' ';
        if (space) text.pop_back();
        Time(out, s.startMs, last);
        out += text;
        // Its end, when the next syllable does not start there.
        const bool lastOne = i + 1 == syllables.size();
        if (lastOne || s.endMs < syllables[i + 1].startMs) Time(out, s.endMs, last);
        if (space) out += ' ';
    }
    out += '\n';
}

}  // namespace

std::string LrcText(const Lyrics& lyrics) {
    std::string out;
    Tag(out, "ti", lyrics.title);
    Tag(out, "ar", lyrics.artist);
    Tag(out, "al", lyrics.album);
    Tag(out, "by", lyrics.author);
    for (const LyricsLine& line : lyrics.lines) {
        if (!line.syllables.empty()) Line(out, line);
    }
    return out;
}

}  // namespace orvane
