// Any text a user may open as an ASS or SSA script: libass reads it, the
// karaoke tags are read from each event's text. What it reads, saved as ASS
// by Orvane's writer, must read back to the same lines, each time within the
// half centisecond the format rounds to.
#include <cstdlib>
#include <set>

#include "fuzz/fuzz_support.h"
#include "fuzz/lyrics_checks.h"
#include "lyrics/ass_reader.h"
#include "lyrics/ass_writer.h"

namespace {

using namespace orvane;

// A line as the comparison sees it: its texts and effects (braces turn into
// parentheses in ASS), and its times in centiseconds.
std::string Key(const LyricsLine& line, bool rounded) {
    std::string key = line.alignment ? std::to_string(*line.alignment) : "-";
    for (const Syllable& s : line.syllables) {
        std::string text = s.text;
        for (char& c : text) c = c == '{' ? '(' : c == '}' ? ')' : c;
        auto cs = [rounded](std::int64_t ms) { return rounded ? (ms + 5) / 10 : ms / 10; };
        key += "|" + text + "@" + std::to_string(cs(s.startMs)) + "-" +
               std::to_string(cs(s.endMs)) + "/" + std::to_string(static_cast<int>(s.effect));
    }
    return key;
}

// Layered copies of an event are read once, so lines that became alike when
// saved may read back as one: the same set of lines, never more.
void CheckSameLines(const Lyrics& read, const Lyrics& again) {
    std::set<std::string> before, after;
    for (const LyricsLine& line : read.lines) before.insert(Key(line, true));
    for (const LyricsLine& line : again.lines) after.insert(Key(line, false));
    fuzz::Check(before == after && again.lines.size() <= read.lines.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text;
    if (!fuzz::Normalise(data, size, text)) return 0;
    const LyricsReadResult read = ReadAss(text);
    fuzz::CheckRead(read, text);
    if (!read.ok) return 0;
    const LyricsReadResult again = ReadAss(AssText(read.lyrics));
    fuzz::Check(again.ok);
    CheckSameLines(read.lyrics, again.lyrics);
    return 0;
}
