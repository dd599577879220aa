#include "oracle_song.h"

#include <cstdio>

namespace orvane::test {
namespace {

// Everyday words: the OCR engine's dictionary knows them.
const char* const kWords[] = {
    "the",   "love", "you",   "night",  "we",    "dance", "under", "stars",  "and",    "sing",
    "until", "dawn", "light", "my",     "heart", "is",    "yours", "hold",   "me",     "close",
    "never", "let",  "go",    "summer", "rain",  "falls", "on",    "golden", "fields", "home",
    "road",  "far",  "away",  "dream",  "of",    "blue",  "sky",   "fire",   "river",  "run"};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];

std::string Clock(std::int64_t ms, const char* format) {
    char text[32];
    const long cs = static_cast<long>(ms / 10);
    std::snprintf(text, sizeof text, format, cs / 6000, (cs / 100) % 60, cs % 100);
    return text;
}

std::string Lrc(std::int64_t ms) {
    return Clock(ms, "%02ld:%02ld.%02ld");
}

std::string AssTime(std::int64_t ms) {
    const long cs = static_cast<long>(ms / 10);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld.%02ld", cs / 360000, (cs / 6000) % 60,
                  (cs / 100) % 60, cs % 100);
    return text;
}

}  // namespace

std::vector<SongLine> OracleSong() {
    std::vector<SongLine> song;
    std::uint32_t random = 12345;
    auto next = [&random](int n) {
        random = random * 1103515245u + 12345u;
        return static_cast<int>((random >> 16) % static_cast<std::uint32_t>(n));
    };
    std::int64_t at = 14000;
    for (int l = 0; l < 50; ++l) {
        SongLine line;
        line.sweep = l % 2 == 1;
        line.afterBreak = l == 0 || l == 25;
        for (int w = 0; w < 6; ++w) {
            const std::int64_t length = 350 + 10 * next(26);
            line.words.push_back({kWords[next(kWordCount)], at, at + length});
            at += length;
        }
        song.push_back(line);
        at += (l == 24) ? 12000 : 800 + 10 * next(81);
    }
    return song;
}

std::string AsPlainLrc(const std::vector<SongLine>& song) {
    std::string text = std::string("[ti:") + kSongTitle + "]\n[ar:" + kSongArtist + "]\n";
    for (const SongLine& line : song) {
        text += "[" + Lrc(line.FirstMs()) + "]";
        for (const SongWord& word : line.words)
            text += word.text + (&word == &line.words.back() ? "\n" : " ");
    }
    return text;
}

std::string AsEnhancedLrc(const std::vector<SongLine>& song) {
    std::string text = std::string("[ti:") + kSongTitle + "]\r\n[ar:" + kSongArtist + "]\r\n";
    for (const SongLine& line : song) {
        text += "[" + Lrc(line.FirstMs()) + "]";
        for (const SongWord& word : line.words) {
            text += "<" + Lrc(word.startMs) + ">" + word.text;
            if (&word != &line.words.back()) text += " ";
        }
        text += "<" + Lrc(line.LastMs()) + ">\r\n";
    }
    return text;
}

std::string AsAss(const std::vector<SongLine>& song) {
    std::string text = std::string("\xEF\xBB\xBF[Script Info]\nTitle: ") + kSongTitle +
                       "\nScriptType: v4.00+\nPlayResX: 288\nPlayResY: 192\n\n"
                       "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, "
                       "SecondaryColour, OutlineColour, BackColour, Bold, Italic, Underline, "
                       "StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, "
                       "Alignment, MarginL, MarginR, MarginV, Encoding\n"
                       "Style: Default,DejaVu Sans,20,&H00FFA000,&H00FFFFFF,&H00301010,"
                       "&H80000000,-1,0,0,0,100,100,0,0,1,2,0,2,12,12,12,1\n\n"
                       "[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, "
                       "MarginV, Effect, Text\n";
    for (const SongLine& line : song) {
        text += "Dialogue: 0," + AssTime(line.FirstMs()) + "," + AssTime(line.LastMs()) +
                ",Default,,0,0,0,,";
        for (const SongWord& word : line.words) {
            text += std::string(line.sweep ? "{\\kf" : "{\\k") +
                    std::to_string((word.endMs - word.startMs) / 10) + "}" + word.text;
            if (&word != &line.words.back()) text += " ";
        }
        text += "\n";
    }
    return text;
}

}  // namespace orvane::test
