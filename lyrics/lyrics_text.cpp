#include "lyrics/lyrics_text.h"

#include <cstdio>

#include "lyrics/ass_reader.h"
#include "lyrics/lrc_reader.h"
#include "lyrics/lyrics_words.h"

namespace orvane {

namespace {

LyricsReadResult NotUtf8(int line, unsigned char byte, int column) {
    char reason[160];
    std::snprintf(reason, sizeof reason,
                  "This line is not UTF-8 text (byte 0x%02X at character %d). "
                  "Save the file as UTF-8.",
                  byte, column);
    return LyricsRefusal(line, reason);
}

}  // namespace

LyricsReadResult NormaliseLyricsText(std::string_view bytes, std::string& text) {
    text.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    text.reserve(bytes.size());
    int line = 1;
    int column = 1;  // characters, as an editor counts them
    for (std::size_t at = 0; at < bytes.size(); ++column) {
        const char c = bytes[at];
        if (c == '\r' || c == '\n') {
            text += '\n';
            at += (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ? 2 : 1;
            ++line;
            column = 0;
            continue;
        }
        if (c == '\0')
            return LyricsRefusal(line, "This line holds a zero byte: the file is not text.");
        const std::size_t n = Utf8SequenceLength(bytes.substr(at));
        if (n == 0) return NotUtf8(line, static_cast<unsigned char>(c), column);
        text.append(bytes.substr(at, n));
        at += n;
    }
    LyricsReadResult ok;
    ok.ok = true;
    return ok;
}

LyricsFormat DetectLyricsFormat(std::string_view text) {
    if (LooksLikeAss(text)) return LyricsFormat::Ass;
    if (HasLrcLineTimes(text)) return LyricsFormat::Lrc;
    return LyricsFormat::PlainText;
}

}  // namespace orvane
