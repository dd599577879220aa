// The test song of the lyrics track, as the files an author brings (LRC,
// enhanced LRC, ASS with \k and \kf) and as Lyrics, and ways to look at what
// it shows: the screen at any sector painted from a timeline's tile states.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoder/picture.h"
#include "lyrics/lyrics_model.h"
#include "lyrics/screen_timeline.h"

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

// About 4 minutes for 50 lines: 6 everyday words a line (the OCR engine's
// dictionary knows them) of 0.35 to 0.6 s sung one after the other, lines
// 0.8 to 1.6 s apart, a 14 s intro and a 12 s break in the middle (both get
// a countdown). Times are whole centiseconds, as every format writes them.
std::vector<SongLine> SongLines(int lines = 50);

// Line times only: the reader spreads each line's words itself.
std::string AsPlainLrc(const std::vector<SongLine>& song);
std::string AsEnhancedLrc(const std::vector<SongLine>& song);
std::string AsAss(const std::vector<SongLine>& song);

// The same song as Lyrics, with more kinds of syllable: most words sweep,
// every fifth is sung at once, some are split into two syllables.
Lyrics TestSong(int lines = 50);

// A busy photo-like picture: clouds of colour with detail at every scale,
// reduced to 16 dithered colours as the import reduces a photo.
Picture PhotoPicture();

// Palette indices of the 288 x 192 screen, top row first, once every state
// due by `sector` is drawn over the timeline's picture.
std::vector<std::uint8_t> ScreenAt(const ScreenTimeline& timeline, std::int64_t sector);

// The same for sectors in order, drawing only the states between them.
class ScreenPainter {
  public:
    explicit ScreenPainter(const ScreenTimeline& timeline);
    const std::vector<std::uint8_t>& At(std::int64_t sector);  // never an earlier one

  private:
    const ScreenTimeline& timeline_;
    std::vector<std::uint8_t> screen_;
    std::size_t next_ = 0;
};

// The same as RGB, 3 bytes a pixel, for WritePng or an OCR engine.
std::vector<std::uint8_t> ToRgb(const std::vector<std::uint8_t>& screen, const Palette& palette);

}  // namespace orvane::test
