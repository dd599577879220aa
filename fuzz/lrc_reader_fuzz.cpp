// Any text a user may open as LRC, through the checks every lyrics file gets
// (UTF-8, line breaks) and the LRC reader; what it reads, saved as enhanced
// LRC by Orvane's writer, must read back to the same syllables to the
// millisecond.
#include "fuzz/fuzz_support.h"
#include "fuzz/lyrics_checks.h"
#include "lyrics/lrc_reader.h"
#include "lyrics/lrc_writer.h"

namespace {

using namespace orvane;

void CheckSameSyllables(const Lyrics& a, const Lyrics& b) {
    fuzz::Check(a.lines.size() == b.lines.size());
    for (std::size_t i = 0; i < a.lines.size(); ++i) {
        const auto& x = a.lines[i].syllables;
        const auto& y = b.lines[i].syllables;
        fuzz::Check(x.size() == y.size());
        for (std::size_t k = 0; k < x.size(); ++k) {
            fuzz::Check(x[k].text == y[k].text && x[k].startMs == y[k].startMs &&
                        x[k].endMs == y[k].endMs);
        }
    }
    fuzz::Check(a.title == b.title && a.artist == b.artist && a.album == b.album &&
                a.author == b.author);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text;
    if (!fuzz::Normalise(data, size, text)) return 0;
    (void)DetectLyricsFormat(text);
    const LyricsReadResult read = ReadLrc(text);
    fuzz::CheckRead(read, text);
    if (!read.ok) return 0;
    const std::string saved = LrcText(read.lyrics);
    const LyricsReadResult again = ReadLrc(saved);
    fuzz::Check(again.ok);
    CheckSameSyllables(read.lyrics, again.lyrics);
    return 0;
}
