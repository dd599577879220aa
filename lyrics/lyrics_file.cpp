#include "lyrics/lyrics_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "input/raw_file.h"
#include "lyrics/ass_reader.h"
#include "lyrics/lrc_reader.h"
#include "lyrics/lyrics_text.h"
#include "lyrics/lyrics_words.h"

namespace orvane {

namespace {

LyricsReadResult Accepted() {
    LyricsReadResult result;
    result.ok = true;
    return result;
}

LyricsReadResult SystemRefusal(int error) {
    return LyricsRefusal(0, std::string("This file cannot be read: ") + std::strerror(error) + ".");
}

LyricsReadResult TooLarge() {
    return LyricsRefusal(0, "This file is larger than " +
                                std::to_string(kMaxLyricsFileBytes >> 20) +
                                " MB: it is not lyrics.");
}

// The file's bytes, refusing before reading what cannot be lyrics: a folder,
// a device or a pipe (a read could hang), a file too large.
LyricsReadResult LoadBytes(const std::string& path, std::string& bytes) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return SystemRefusal(errno);
    if (!S_ISREG(st.st_mode)) return LyricsRefusal(0, "This is not a regular file.");
    if (st.st_size > kMaxLyricsFileBytes) return TooLarge();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return SystemRefusal(errno);
    // Checked again on what was opened: the name may now name something else.
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return LyricsRefusal(0, "This is not a regular file.");
    }
    bytes.resize(static_cast<std::size_t>(kMaxLyricsFileBytes) + 1);
    const long n = ReadUpTo(fd, bytes.data(), bytes.size());
    const int error = errno;
    close(fd);
    if (n < 0) return SystemRefusal(error);
    if (n > kMaxLyricsFileBytes) return TooLarge();
    bytes.resize(static_cast<std::size_t>(n));
    return Accepted();
}

bool HasWords(std::string_view text) {
    return text.find_first_not_of(" \t\n") != std::string_view::npos;
}

LyricsReadResult ReadTimed(const std::string& text) {
    switch (DetectLyricsFormat(text)) {
        case LyricsFormat::Ass:
            return ReadAss(text);
        case LyricsFormat::Lrc:
            return ReadLrc(text);
        case LyricsFormat::PlainText:
            break;
    }
    return LyricsRefusal(0, HasWords(text) ? kNoTimesReason : "This file holds no lyrics.");
}

// One line of plain text: words at spaces, syllables at '/'.
LyricsLine PlainLine(std::string_view text, int number) {
    LyricsLine line;
    line.sourceLine = number;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at])) ++at;
        const std::size_t begin = at;
        while (at < text.size() && !IsBlank(text[at])) ++at;
        std::string_view word = text.substr(begin, at - begin);
        const bool more = text.find_first_not_of(" \t", at) != std::string_view::npos;
        while (!word.empty()) {
            const std::size_t slash = std::min(word.find('/'), word.size());
            const bool last = slash + 1 >= word.size();
            if (slash > 0) line.syllables.push_back({std::string(word.substr(0, slash)), 0, 0});
            word.remove_prefix(std::min(slash + 1, word.size()));
            if (last && more && !line.syllables.empty() && line.syllables.back().text.back() != ' ')
                line.syllables.back().text += ' ';
        }
    }
    return line;
}

}  // namespace

LyricsReadResult ReadLyricsBytes(std::string_view bytes) {
    std::string text;
    LyricsReadResult result = NormaliseLyricsText(bytes, text);
    if (!result.ok) return result;
    return ReadTimed(text);
}

LyricsReadResult ReadLyricsFile(const std::string& path) {
    std::string bytes;
    LyricsReadResult result = LoadBytes(path, bytes);
    if (!result.ok) return result;
    return ReadLyricsBytes(bytes);
}

LyricsReadResult ReadPlainText(std::string_view bytes) {
    std::string text;
    LyricsReadResult result = NormaliseLyricsText(bytes, text);
    if (!result.ok) return result;
    std::size_t syllables = 0;
    int number = 1;
    for (std::size_t at = 0; at <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        LyricsLine line = PlainLine(std::string_view(text).substr(at, end - at), number);
        at = end + 1;
        if (line.syllables.empty()) continue;
        syllables += line.syllables.size();
        if (syllables > kMaxLyricsSyllables)
            return LyricsRefusal(number, "This text holds more syllables than a song can.");
        result.lyrics.lines.push_back(std::move(line));
    }
    if (result.lyrics.lines.empty()) return LyricsRefusal(0, "This text has no words.");
    return result;
}

TimingSource ReadTimingSource(const std::string& path) {
    TimingSource source;
    std::string bytes;
    source.read = LoadBytes(path, bytes);
    if (!source.read.ok) return source;
    std::string text;
    source.read = NormaliseLyricsText(bytes, text);
    if (!source.read.ok) return source;
    source.timed = DetectLyricsFormat(text) != LyricsFormat::PlainText;
    source.read = source.timed ? ReadTimed(text) : ReadPlainText(text);
    return source;
}

std::string DescribeLyricsRefusal(const std::string& path, const LyricsReadResult& refusal) {
    if (refusal.line <= 0) return path + ": " + refusal.reason;
    return path + ", line " + std::to_string(refusal.line) + ": " + refusal.reason;
}

}  // namespace orvane
