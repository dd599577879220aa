#include "lyrics/word_spans.h"

#include <string>

namespace orvane {

std::vector<WordSpan> WordSpans(const LyricsLine& line) {
    std::vector<WordSpan> words;
    bool open = false;
    std::size_t first = 0;
    for (std::size_t i = 0; i < line.syllables.size(); ++i) {
        const std::string& text = line.syllables[i].text;
        if (!open && text.find_first_not_of(' ') != std::string::npos) {
            open = true;
            first = i;
        }
        if (open && !text.empty() && text.back() == ' ') {
            words.push_back({first, i + 1});
            open = false;
        }
    }
    if (open) words.push_back({first, line.syllables.size()});
    return words;
}

}  // namespace orvane
