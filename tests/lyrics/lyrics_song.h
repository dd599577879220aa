// A test song for the lyrics track and ways to look at what it shows: the
// screen at any sector painted from a timeline's tile states.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoder/picture.h"
#include "lyrics/lyrics_model.h"
#include "lyrics/screen_timeline.h"

namespace orvane::test {

// About four minutes: `lines` lines of 4 to 8 common English words (about 6
// a line), every word timed, a 12-second intro and a 10-second break in the
// middle (both get a countdown); most words sweep, every fifth is sung at
// once, some are split into two syllables.
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
