#include "lyrics/lyrics_words.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

std::size_t Utf8SequenceLength(std::string_view s) {
    const auto c = static_cast<unsigned char>(s[0]);
    if (c < 0x80) return 1;
    std::size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
    } else {
        return 0;  // a continuation byte, an overlong lead or beyond Unicode
    }
    if (s.size() < n) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(s[k]) & 0xC0) != 0x80) return 0;
    }
    const auto c1 = static_cast<unsigned char>(s[1]);
    if (c == 0xE0 && c1 < 0xA0) return 0;  // overlong
    if (c == 0xED && c1 > 0x9F) return 0;  // UTF-16 surrogates
    if (c == 0xF0 && c1 < 0x90) return 0;  // overlong
    if (c == 0xF4 && c1 > 0x8F) return 0;  // above U+10FFFF
    return n;
}

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

namespace {

struct Word {
    std::string_view text;
    bool spaceAfter = false;
};

std::vector<Word> SplitWords(std::string_view text) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at])) ++at;
        const std::size_t begin = at;
        while (at < text.size() && !IsBlank(text[at])) ++at;
        if (at > begin) words.push_back({text.substr(begin, at - begin), at < text.size()});
    }
    return words;
}

}  // namespace

void AppendSpread(std::string_view text, std::int64_t startMs, std::int64_t endMs,
                  SyllableEffect effect, std::vector<Syllable>& out) {
    if (!text.empty() && IsBlank(text.front()) && !out.empty() && !out.back().text.empty() &&
        out.back().text.back() != ' ')
        out.back().text += ' ';
    const std::vector<Word> words = SplitWords(text);
    std::int64_t total = 0;
    for (const Word& w : words) total += static_cast<std::int64_t>(CodePoints(w.text));
    endMs = std::max(endMs, startMs);
    std::int64_t done = 0;
    for (const Word& w : words) {
        Syllable s;
        s.text = std::string(w.text) + (w.spaceAfter ? " " : "");
        s.startMs = startMs + (endMs - startMs) * done / total;
        done += static_cast<std::int64_t>(CodePoints(w.text));
        s.endMs = startMs + (endMs - startMs) * done / total;
        s.effect = effect;
        out.push_back(std::move(s));
    }
}

void CloseLastWord(LyricsLine& line) {
    if (line.syllables.empty()) return;
    std::string& text = line.syllables.back().text;
    if (text.size() > 1 && text.back() == ' ') text.pop_back();
}

std::string FormatMinutesMs(std::int64_t ms) {
    ms = std::max<std::int64_t>(ms, 0);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld.%03lld", static_cast<long long>(ms / 60000),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
    return buffer;
}

}  // namespace orvane
