// The karaoke inside one ASS event's text, which libass parses only while it
// renders: syllables with their {\k} durations, and the line's own {\pos} and
// {\an}. Not for callers outside lyrics/.
//
// Read: \k (instant), \K and \kf (sweep), \ko (outline), \pos, \an, \a, \p
// (drawing commands are not words), and the escapes \N, \n (a space) and \h
// (a space that does not split words).
// Ignored, as CD+G cannot show them or the layout decides: \b \i \u \s \fn
// \fs \fsc \fscx \fscy \fsp \fr \frx \fry \frz \fax \fay \fe \c \1c..\4c
// \alpha \1a..\4a \bord \xbord \ybord \shad \xshad \yshad \be \blur \q \r
// \move \org \fad \fade \t \clip \iclip \pbo \kt, and an event's own margins.
#pragma once

#include <cstdint>
#include <string_view>

#include "lyrics/lyrics_model.h"

namespace orvane {

// Where the script's coordinates land on the 288 x 192 screen.
struct AssScale {
    double x = 1, y = 1;
};

// Appends the syllables of an event's text to `line`: each \k-family tag
// starts a syllable whose duration (centiseconds) follows the one before,
// from `startMs`; no syllable ends after `endMs`. Text before the first tag
// shows at the start; an event without any is sung evenly over its time.
void ReadKaraokeText(std::string_view text, std::int64_t startMs, std::int64_t endMs,
                     AssScale scale, LyricsLine& line);

// The numpad alignment (1..9, as \an) of libass's VALIGN_* | HALIGN_* value,
// which is also the legacy \a numbering.
int NumpadAlignment(int legacy);

}  // namespace orvane
