// The oracle test's song: 50 lines of 6 words with their times, written out
// as the files an author brings (LRC, enhanced LRC, ASS with \k and \kf).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::test {

struct SongWord {
    std::string text;
    std::int64_t startMs = 0, endMs = 0;
};

struct SongLine {
    std::vector<SongWord> words;
    bool sweep = false;       // {\kf} in the ASS file, {\k} otherwise
    bool afterBreak = false;  // follows 8 s or more without singing
    std::int64_t FirstMs() const { return words.front().startMs; }
    std::int64_t LastMs() const { return words.back().endMs; }
};

inline constexpr const char* kSongTitle = "Oracle Song";
inline constexpr const char* kSongArtist = "Orvane Tests";

// About 4 minutes: words of 0.35 to 0.6 s sung one after the other, lines
// 0.8 to 1.6 s apart, one break of 12 s in the middle. Times are whole
// centiseconds, as every format writes them.
std::vector<SongLine> OracleSong();

// Line times only: the reader spreads each line's words itself.
std::string AsPlainLrc(const std::vector<SongLine>& song);
std::string AsEnhancedLrc(const std::vector<SongLine>& song);
std::string AsAss(const std::vector<SongLine>& song);

}  // namespace orvane::test
