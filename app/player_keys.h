// What the player window's keys do, and where a seek lands, in plain code.
#pragma once

#include <cstdint>

namespace orvane {

// The keys the player window acts on; the dialog maps the toolkit's codes.
enum class PlayerKey { Space, Left, Right, Home, End, Escape, F1, Other };

enum class PlayerAction { None, PlayPause, Back, Forward, ToStart, ToEnd, Close, Help };

// A key with Ctrl, Alt or Shift held does nothing here: the toolkit keeps it
// (F1 with one of them does nothing at all, as in the main window).
PlayerAction ActionForKey(PlayerKey key, bool modifiers);

// Back and Forward move by this much.
inline constexpr std::uint64_t kSeekStepSectors = 5 * 75;

// The sector a seek action moves to from `now`, within [0, total]; other
// actions leave `now` as it is.
std::uint64_t SeekTarget(PlayerAction action, std::uint64_t now, std::uint64_t total);

}  // namespace orvane
