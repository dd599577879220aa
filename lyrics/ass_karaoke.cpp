#include "lyrics/ass_karaoke.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "lyrics/lyrics_words.h"

namespace orvane {

namespace {

using Ms = std::int64_t;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as ASS writes it: optional sign, digits, optional fraction.
// Bounded: long runs of digits count no further than nine.
double ReadNumber(std::string_view s) {
    std::size_t at = 0;
    while (at < s.size() && IsBlank(s[at])) ++at;
    const bool negative = at < s.size() && s[at] == '-';
    if (at < s.size() && (s[at] == '-' || s[at] == '+')) ++at;
    double value = 0;
    int digits = 0;
    for (; at < s.size() && IsDigit(s[at]); ++at) {
        if (++digits <= 9) value = value * 10 + (s[at] - '0');
    }
    if (at < s.size() && s[at] == '.') {
        double unit = 0.1;
        for (++at; at < s.size() && IsDigit(s[at]) && unit > 1e-6; ++at, unit /= 10)
            value += (s[at] - '0') * unit;
    }
    return negative ? -value : value;
}

class KaraokeReader {
  public:
    KaraokeReader(Ms start, Ms end, AssScale scale, LyricsLine& line)
        : start_(start),
          end_(std::max(start, end)),
          scale_(scale),
          line_(line),
          syllableStart_(start),
          syllableEnd_(end_),
          next_(start) {}

    void Read(std::string_view text);

  private:
    void Block(std::string_view block);
    void Tag(std::string_view tag);
    void Karaoke(SyllableEffect effect, std::string_view argument);
    void Position(std::string_view argument);
    void Flush();

    const Ms start_, end_;
    const AssScale scale_;
    LyricsLine& line_;
    std::string text_;  // the syllable being read
    Ms syllableStart_, syllableEnd_;
    SyllableEffect effect_ = SyllableEffect::Sweep;
    Ms next_;  // where the next syllable starts (before clipping to the end)
    bool sawKaraoke_ = false;
    bool drawing_ = false;
};

void KaraokeReader::Flush() {
    AppendSpread(text_, syllableStart_, syllableEnd_, effect_, line_.syllables);
    text_.clear();
}

void KaraokeReader::Karaoke(SyllableEffect effect, std::string_view argument) {
    if (!sawKaraoke_) {
        // Text before the first syllable is not sung: it shows as it starts.
        sawKaraoke_ = true;
        next_ = start_;
        syllableEnd_ = start_;
        effect_ = SyllableEffect::Instant;
    }
    Flush();
    const double centiseconds = std::max(ReadNumber(argument), 0.0);
    syllableStart_ = next_;
    next_ = std::min(end_, next_ + static_cast<Ms>(std::llround(centiseconds * 10)));
    syllableEnd_ = next_;
    effect_ = effect;
}

void KaraokeReader::Position(std::string_view argument) {
    if (line_.position || argument.empty() || argument.front() != '(') return;
    const std::size_t comma = argument.find(',');
    if (comma == std::string_view::npos) return;
    line_.position = LyricsPosition{ReadNumber(argument.substr(1, comma - 1)) * scale_.x,
                                    ReadNumber(argument.substr(comma + 1)) * scale_.y};
}

void KaraokeReader::Tag(std::string_view tag) {
    auto starts = [tag](std::string_view name) { return tag.substr(0, name.size()) == name; };
    auto digitAt = [tag](std::size_t at) { return at < tag.size() && IsDigit(tag[at]); };
    if (starts("kf")) return Karaoke(SyllableEffect::Sweep, tag.substr(2));
    if (starts("ko")) return Karaoke(SyllableEffect::Outline, tag.substr(2));
    if (starts("kt")) return;
    if (starts("K")) return Karaoke(SyllableEffect::Sweep, tag.substr(1));
    if (starts("k")) return Karaoke(SyllableEffect::Instant, tag.substr(1));
    if (starts("pos")) return Position(tag.substr(3));
    if (starts("an") && digitAt(2) && !line_.alignment) {
        const int an = static_cast<int>(ReadNumber(tag.substr(2)));
        if (an >= 1 && an <= 9) line_.alignment = an;
        return;
    }
    if (starts("a") && digitAt(1) && !line_.alignment) {
        const int legacy = static_cast<int>(ReadNumber(tag.substr(1)));
        if (legacy >= 1 && legacy <= 11 && legacy % 4 != 0)
            line_.alignment = NumpadAlignment(legacy);
        return;
    }
    if (starts("p") && digitAt(1)) drawing_ = ReadNumber(tag.substr(1)) > 0;
}

void KaraokeReader::Block(std::string_view block) {
    for (std::size_t at = block.find('\\'); at != std::string_view::npos;) {
        const std::size_t next = block.find('\\', at + 1);
        Tag(block.substr(at + 1, (next == std::string_view::npos ? block.size() : next) - at - 1));
        at = next;
    }
}

void KaraokeReader::Read(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const std::size_t close = c == '{' ? text.find('}', at) : std::string_view::npos;
        if (close != std::string_view::npos) {
            Block(text.substr(at + 1, close - at - 1));
            at = close + 1;
            continue;
        }
        const char escaped = c == '\\' && at + 1 < text.size() ? text[at + 1] : '\0';
        const bool known = escaped == 'N' || escaped == 'n' || escaped == 'h';
        if (!drawing_) {
            if (!known) text_ += c;
            if (escaped == 'N' || escaped == 'n') text_ += ' ';
            if (escaped == 'h') text_ += "\xC2\xA0";  // no-break space
        }
        at += known ? 2 : 1;
    }
    Flush();
}

}  // namespace

int NumpadAlignment(int legacy) {
    const int horizontal = (legacy & 3) == 0 ? 2 : (legacy & 3);
    const int vertical = legacy & 12;  // 0 bottom, 4 top, 8 middle
    return horizontal + (vertical == 4 ? 6 : vertical == 8 ? 3 : 0);
}

void ReadKaraokeText(std::string_view text, std::int64_t startMs, std::int64_t endMs,
                     AssScale scale, LyricsLine& line) {
    KaraokeReader(startMs, endMs, scale, line).Read(text);
}

}  // namespace orvane
