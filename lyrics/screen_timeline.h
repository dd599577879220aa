// What the lyrics track must show, tile by tile, before it is turned into
// packets: the layout and renderer make it, the packet scheduler spends the
// stream's 300 packets a second on it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "encoder/picture.h"
#include "input/sector_file.h"  // kSectorsPerSecond

namespace orvane {

inline constexpr int kTilePixels = 6 * 12;

// The 16 palette entries: the picture gets 0 .. 11, the lyrics the last four.
inline constexpr std::uint8_t kUnsungIndex = 12;
inline constexpr std::uint8_t kSungIndex = 13;
inline constexpr std::uint8_t kOutlineIndex = 14;
inline constexpr std::uint8_t kBackIndex = 15;  // shadow or band
inline constexpr int kPictureColours = 12;

// One state of one tile of the visible 288 x 192 area.
struct TileState {
    // First sector whose screen must show this state; the picture's own
    // states have deadline 0 (as soon as the stream allows).
    std::int64_t deadline = 0;
    // Earliest sector at which drawing it destroys nothing still needed on
    // screen (<= deadline): a line may be drawn ahead while its place shows
    // only the picture.
    std::int64_t release = 0;
    int tile = 0;  // row * 48 + column of the visible area (0 .. 767)
    // The word (index into ScreenTimeline::words) whose lateness this state
    // decides, or -1 (the picture, a line appearing or being cleared, a title).
    int word = -1;
    // Colour indices, row-major, 6 per row, 12 rows.
    std::array<std::uint8_t, kTilePixels> pixels{};
};

struct TimelineWord {
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    int line = 0;  // index into Lyrics::lines
};

struct TimelineLine {
    std::int64_t firstWordMs = 0;
    // The line's box on the 288 x 192 screen, outline included; right and
    // bottom exclusive (all zero: a line without words, never shown).
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Something else shown over the picture for a while: the title, a
// countdown. Outside these (while shown) and the lines' boxes the screen
// shows the picture.
struct TimelineOverlay {
    std::int64_t fromMs = 0, toMs = 0;  // on screen from, gone at
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ScreenTimeline {
    // The first screen: the picture reduced to kPictureColours colours, with
    // the lyrics' colours in the entries above them.
    Picture picture;
    // Every state after the picture's own, sorted by deadline then tile; a
    // tile shows its picture tile until its first change here. A state equal
    // to the picture's tile is a line cleared.
    std::vector<TileState> changes;
    std::vector<TimelineWord> words;
    std::vector<TimelineLine> lines;  // one per Lyrics::lines entry
    std::vector<TimelineOverlay> overlays;
};

}  // namespace orvane
