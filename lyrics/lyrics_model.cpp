#include "lyrics/lyrics_model.h"

#include <utility>

namespace orvane {

std::size_t Lyrics::WordCount() const {
    std::size_t words = 0;
    for (const LyricsLine& line : lines) {
        bool open = false;  // a word has begun and not ended
        for (const Syllable& s : line.syllables) {
            const bool hasText = s.text.find_first_not_of(' ') != std::string::npos;
            if (hasText) open = true;
            if (open && !s.text.empty() && s.text.back() == ' ') {
                ++words;
                open = false;
            }
        }
        if (open) ++words;
    }
    return words;
}

LyricsReadResult LyricsRefusal(int line, std::string reason) {
    LyricsReadResult result;
    result.line = line;
    result.reason = std::move(reason);
    return result;
}

}  // namespace orvane
