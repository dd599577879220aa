#include "lyrics/lrc_reader.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "lyrics/lyrics_file.h"
#include "lyrics/lyrics_words.h"

namespace orvane {

namespace {

using Ms = std::int64_t;

// The latest time an LRC tag can say (9999:59.999): no time read, moved by
// the offset or made up for an open end goes past it, so what is read can
// be written back.
constexpr Ms kLatestMs = (9999 * 60 + 59) * 1000 + 999;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Reads a run of digits at `at`; the count, and the value of its first nine.
std::size_t ReadDigits(std::string_view s, std::size_t& at, Ms& value) {
    std::size_t n = 0;
    value = 0;
    for (; at < s.size() && IsDigit(s[at]); ++at, ++n) {
        if (n < 9) value = value * 10 + (s[at] - '0');
    }
    return n;
}

// "m:ss", "mm:ss.x" .. "mmmm:ss.xxx" (':' also before the fraction, as some
// editors write it), in milliseconds.
std::optional<Ms> ParseTime(std::string_view s) {
    std::size_t at = 0;
    Ms minutes = 0, seconds = 0, fraction = 0;
    const std::size_t m = ReadDigits(s, at, minutes);
    if (m == 0 || m > 4 || at >= s.size() || s[at] != ':') return std::nullopt;
    ++at;
    const std::size_t n = ReadDigits(s, at, seconds);
    if (n == 0 || n > 2 || seconds >= 60) return std::nullopt;
    if (at < s.size()) {
        if (s[at] != '.' && s[at] != ':') return std::nullopt;
        ++at;
        std::size_t f = ReadDigits(s, at, fraction);
        if (f == 0 || f > 3 || at != s.size()) return std::nullopt;
        for (; f < 3; ++f) fraction *= 10;
    }
    return minutes * 60000 + seconds * 1000 + fraction;
}

// Digits and a colon: meant as a time, so it must read as one.
bool MeantAsTime(std::string_view s) {
    std::size_t at = 0;
    Ms ignored = 0;
    return ReadDigits(s, at, ignored) > 0 && at < s.size() && s[at] == ':';
}

// "ti:Title", "offset:+250", "length:3:20": a name of letters and a colon.
bool IsInfoTag(std::string_view content) {
    const std::size_t colon = content.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon > 16) return false;
    return std::all_of(content.begin(), content.begin() + colon, [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '#';
    });
}

struct Piece {
    std::optional<Ms> time;  // the word time before the text; none for the text before any
    std::string_view text;
};

struct TimedLine {
    int sourceLine = 0;
    std::vector<Ms> times;      // its line times, as written
    std::vector<Piece> pieces;  // pieces[0] has no time
};

struct Entry {  // one line time of one line
    Ms time = 0;
    std::size_t line = 0;
    Ms written = 0;  // the time as written, before the offset
};

class LrcParser {
  public:
    LyricsReadResult Read(std::string_view text);

  private:
    bool ParseLine(int number, std::string_view line);
    bool ReadTag(std::string_view content, TimedLine& line, bool& infoTag);
    bool ParseBody(std::string_view body, TimedLine& line);
    void ApplyInfo(std::string_view content);
    bool Build();
    bool BuildEntry(const Entry& entry, std::optional<Ms> nextLater, LyricsLine& out);
    bool Fail(int line, std::string reason);

    Lyrics lyrics_;
    Ms offset_ = 0;
    std::vector<TimedLine> lines_;
    int failLine_ = 0;
    std::string failReason_;
    std::size_t syllables_ = 0;
};

bool LrcParser::Fail(int line, std::string reason) {
    failLine_ = line;
    failReason_ = std::move(reason);
    return false;
}

void LrcParser::ApplyInfo(std::string_view content) {
    const std::size_t colon = content.find(':');
    std::string name(content.substr(0, colon));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string value(TrimBlanks(content.substr(colon + 1)));
    if (name == "ti") lyrics_.title = value;
    if (name == "ar") lyrics_.artist = value;
    if (name == "al") lyrics_.album = value;
    if (name == "by") lyrics_.author = value;
}

// One [..] at the start of a line. False when the line is refused.
bool LrcParser::ReadTag(std::string_view content, TimedLine& line, bool& infoTag) {
    if (IsDigit(content.empty() ? ' ' : content.front())) {
        const std::optional<Ms> time = ParseTime(content);
        if (!time)
            return Fail(line.sourceLine,
                        "[" + std::string(content) + "] is not a time: LRC times are [mm:ss.xx].");
        line.times.push_back(*time);
        return true;
    }
    infoTag = true;
    std::string name(content.substr(0, 7));
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name != "offset:") {
        ApplyInfo(content);
        return true;
    }
    std::string_view value = TrimBlanks(content.substr(7));
    const bool negative = !value.empty() && value.front() == '-';
    if (!value.empty() && (value.front() == '+' || negative)) value.remove_prefix(1);
    std::size_t at = 0;
    Ms ms = 0;
    if (ReadDigits(value, at, ms) == 0 || at != value.size() || value.size() > 9)
        return Fail(line.sourceLine, "The offset is not a whole number of milliseconds.");
    offset_ = negative ? -ms : ms;
    return true;
}

bool LrcParser::ParseLine(int number, std::string_view rest) {
    rest = TrimBlanks(rest);
    TimedLine line;
    line.sourceLine = number;
    bool infoTag = false;
    while (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos) {
            if (MeantAsTime(rest.substr(1)))
                return Fail(number, "The time at the start of this line has no closing ].");
            break;
        }
        const std::string_view content = rest.substr(1, close - 1);
        if (!IsDigit(content.empty() ? ' ' : content.front()) &&
            (!IsInfoTag(content) || !line.times.empty()))
            break;  // text that starts with a bracket
        if (!ReadTag(content, line, infoTag)) return false;
        rest = TrimBlanks(rest.substr(close + 1));
    }
    if (line.times.empty()) {
        if (infoTag || rest.empty()) return true;
        return Fail(number,
                    "This line has no time. Every line of an LRC file starts with its time, "
                    "[mm:ss.xx].");
    }
    if (!ParseBody(rest, line)) return false;
    lines_.push_back(std::move(line));
    return true;
}

// The words after the line times: text, and word times <mm:ss.xx> (or
// [mm:ss.xx], as some editors write them) before the words they start.
bool LrcParser::ParseBody(std::string_view body, TimedLine& line) {
    line.pieces.push_back({});
    std::size_t textStart = 0;
    for (std::size_t at = 0; at < body.size(); ++at) {
        const char open = body[at];
        if ((open != '<' && open != '[') || !MeantAsTime(body.substr(at + 1))) continue;
        const std::size_t close = body.find(open == '<' ? '>' : ']', at);
        if (close == std::string_view::npos)
            return Fail(line.sourceLine, "A word time on this line has no closing bracket.");
        const std::string_view content = body.substr(at + 1, close - at - 1);
        const std::optional<Ms> time = ParseTime(content);
        if (!time)
            return Fail(line.sourceLine,
                        "<" + std::string(content) + "> is not a time: word times are <mm:ss.xx>.");
        line.pieces.back().text = body.substr(textStart, at - textStart);
        line.pieces.push_back({time, {}});
        textStart = close + 1;
        at = close;
    }
    line.pieces.back().text = body.substr(textStart);
    return true;
}

Ms AfterOffset(Ms written, Ms offset) {
    return std::clamp<Ms>(written - offset, 0, kLatestMs);
}

// A line with word times that is repeated: its word times belong to the line
// time nearest to its first word; each copy moves them along with its own.
Ms WordTimeBase(const TimedLine& line) {
    const Ms first = line.pieces.size() > 1 ? *line.pieces[1].time : line.times.front();
    return *std::min_element(line.times.begin(), line.times.end(), [first](Ms a, Ms b) {
        return std::llabs(a - first) < std::llabs(b - first);
    });
}

bool HasWords(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return !IsBlank(c); });
}

bool LrcParser::BuildEntry(const Entry& entry, std::optional<Ms> nextLater, LyricsLine& out) {
    const TimedLine& line = lines_[entry.line];
    out.sourceLine = line.sourceLine;
    auto& syllables = out.syllables;
    if (line.pieces.size() == 1) {  // no word times: sung evenly
        const std::string_view text = line.pieces[0].text;
        Ms words = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            words += !IsBlank(text[i]) && (i == 0 || IsBlank(text[i - 1]));
        Ms length = std::clamp<Ms>(words * kLrcLastLineMsPerWord, 2000, kLrcMaxEvenLineMs);
        if (nextLater) length = std::min(*nextLater - entry.time, kLrcMaxEvenLineMs);
        AppendSpread(text, entry.time, std::min(entry.time + length, kLatestMs),
                     SyllableEffect::Sweep, syllables);
        return true;
    }
    const Ms shift = entry.written - WordTimeBase(line);
    Ms start = entry.time;
    Ms writtenStart = entry.written;
    for (std::size_t i = 0; i < line.pieces.size(); ++i) {
        const std::string_view text = line.pieces[i].text;
        if (i + 1 < line.pieces.size()) {
            const Ms writtenEnd = *line.pieces[i + 1].time;
            const Ms end = AfterOffset(writtenEnd + shift, offset_);
            if (end < start && (i > 0 || HasWords(text)))
                return Fail(line.sourceLine, "The word times on this line go back: <" +
                                                 FormatMinutesMs(writtenEnd) + "> comes after " +
                                                 FormatMinutesMs(writtenStart) + ".");
            AppendSpread(text, start, end, SyllableEffect::Sweep, syllables);
            start = end;
            writtenStart = writtenEnd;
            continue;
        }
        Ms end = std::min(start + kLrcOpenWordMs, kLatestMs);
        if (nextLater && *nextLater > start) end = std::min(end, *nextLater);
        AppendSpread(text, start, end, SyllableEffect::Sweep, syllables);
    }
    return true;
}

bool LrcParser::Build() {
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        for (const Ms written : lines_[i].times) {
            entries.push_back({AfterOffset(written, offset_), i, written});
            if (entries.size() > kMaxLyricsSyllables)
                return Fail(lines_[i].sourceLine, "This file repeats its lines too many times.");
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.time < b.time; });
    // The next line's time for each entry: the first one later than its own
    // (lines sung together end at the same next line).
    std::vector<std::optional<Ms>> nextLater(entries.size());
    for (std::size_t j = entries.size(); j-- > 1;) {
        const bool later = entries[j].time > entries[j - 1].time;
        nextLater[j - 1] = later ? std::optional<Ms>(entries[j].time) : nextLater[j];
    }
    for (std::size_t j = 0; j < entries.size(); ++j) {
        LyricsLine line;
        if (!BuildEntry(entries[j], nextLater[j], line)) return false;
        CloseLastWord(line);
        if (line.syllables.empty()) continue;  // a time alone ends the line before
        syllables_ += line.syllables.size();
        if (syllables_ > kMaxLyricsSyllables)
            return Fail(line.sourceLine, "This file holds more syllables than a song can.");
        lyrics_.lines.push_back(std::move(line));
    }
    std::stable_sort(
        lyrics_.lines.begin(), lyrics_.lines.end(),
        [](const LyricsLine& a, const LyricsLine& b) { return a.StartMs() < b.StartMs(); });
    return true;
}

LyricsReadResult LrcParser::Read(std::string_view text) {
    LyricsReadResult result;
    int number = 1;
    bool fine = true;
    for (std::size_t at = 0; fine && at <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        fine = ParseLine(number, text.substr(at, end - at));
        at = end + 1;
    }
    if (fine && lines_.empty()) Fail(0, kNoTimesReason);
    if (fine && !lines_.empty()) fine = Build();
    if (fine && lyrics_.lines.empty()) Fail(0, "This file has times but no words.");
    if (!failReason_.empty()) {
        result.line = failLine_;
        result.reason = failReason_;
        return result;
    }
    result.ok = true;
    result.lyrics = std::move(lyrics_);
    return result;
}

}  // namespace

LyricsReadResult ReadLrc(std::string_view text) {
    return LrcParser().Read(text);
}

bool HasLrcLineTimes(std::string_view text) {
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = TrimBlanks(text.substr(at, end - at));
        at = end + 1;
        while (!line.empty() && line.front() == '[') {
            if (MeantAsTime(line.substr(1))) return true;
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos || !IsInfoTag(line.substr(1, close - 1))) break;
            line = TrimBlanks(line.substr(close + 1));
        }
    }
    return false;
}

}  // namespace orvane
