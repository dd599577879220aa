// The text every lyrics reader starts from: a file's bytes checked and made
// plain (UTF-8 without a byte-order mark, lines ended by LF alone), and the
// guess of what kind of lyrics it holds, made from the content and not the
// file's name, since people rename .txt files to .lrc and back.
#pragma once

#include <string>
#include <string_view>

#include "lyrics/lyrics_model.h"

namespace orvane {

// Checks `bytes` and writes the plain text to `text`. Refuses (with the line
// and the reason) a zero byte or bytes that are not UTF-8; strips one leading
// byte-order mark; turns CRLF and lone CR into LF. On success the result is ok
// with empty lyrics.
LyricsReadResult NormaliseLyricsText(std::string_view bytes, std::string& text);

enum class LyricsFormat {
    Lrc,        // a line starts with a time tag [mm:ss.xx]
    Ass,        // a [Script Info], [V4+ Styles] or [Events] section
    PlainText,  // neither: words that still need their times
};

// The format of normalised text. ASS wins over LRC (a script's text may hold
// brackets), LRC over plain text.
LyricsFormat DetectLyricsFormat(std::string_view text);

}  // namespace orvane
