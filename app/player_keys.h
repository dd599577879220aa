// What the player window's keys do, and where a seek lands, in plain code.
#pragma once

#include <cstdint>

namespace orvane {

// The keys the player window acts on; the dialog maps the toolkit's codes.
enum class PlayerKey {
    Space,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
    Escape,
    F1,
    Plus,
    Minus,
    Other
};

enum class PlayerAction {
    None,
    PlayPause,
    Back,
    Forward,
    PageBack,
    PageForward,
    ToStart,
    ToEnd,
    Close,
    Help,
    ZoomIn,
    ZoomOut
};

// The keys work wherever the focus is, with one exception: Space on a
// focused button presses that button, as everywhere else on the desktop.
// A key with Ctrl or Alt held does nothing here: the toolkit keeps it (F1
// with a modifier does nothing at all, as in the main window). Shift only
// goes with Plus and Minus, which many keyboards type with it.
PlayerAction ActionForKey(PlayerKey key, bool shift, bool ctrlOrAlt, bool buttonFocused);

// Back and Forward move by this much, PageBack and PageForward (Page Up and
// Page Down) by the second.
inline constexpr std::uint64_t kSeekStepSectors = 5 * 75;
inline constexpr std::uint64_t kPageStepSectors = 30 * 75;

// The screen's factor after a zoom action, within [1, largest].
int ZoomedFactor(PlayerAction action, int factor, int largest);

// The sector a seek action moves to from `now`, within [0, total]; other
// actions leave `now` as it is.
std::uint64_t SeekTarget(PlayerAction action, std::uint64_t now, std::uint64_t total);

}  // namespace orvane
