// What the Lyrics window's keys do, and the small rules around them: the
// time a key press stands for, where a click on a word plays from, and how
// the waveform strip maps time to pixels. Plain code; the window maps the
// toolkit's key codes and draws.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

enum class TimingKey { Space, Enter, Backspace, Left, Right, Home, P, S, Z, Y, Other };

enum class TimingAction {
    None,
    Play,          // Space while paused
    PlayPause,     // P
    Tap,           // Space while playing
    EndLine,       // Enter while playing
    StepBack,      // Backspace
    Back,          // Left: 2 s back
    Forward,       // Right: 2 s on
    ToStart,       // Home
    NudgeEarlier,  // Alt+Left: the selected mark 10 ms earlier
    NudgeLater,    // Alt+Right
    Undo,          // Ctrl+Z
    Redo,          // Ctrl+Y, Ctrl+Shift+Z
    Save,          // Ctrl+S
};

TimingAction ActionForTimingKey(TimingKey key, bool ctrl, bool alt, bool shift, bool playing);

inline constexpr std::int64_t kTimingSeekMs = 2000;
inline constexpr std::int64_t kNudgeMs = 10;
// A click on a word plays from this long before it.
inline constexpr std::int64_t kClickLeadMs = 1000;
// The longest a key event may have waited before it was handled, for its own
// time stamp to be believed (a larger gap means another clock).
inline constexpr std::uint32_t kMaxKeyAgeMs = 500;

// The song time a seek action moves to from `nowMs`, within [0, lengthMs].
std::int64_t TimingSeekTarget(TimingAction action, std::int64_t nowMs, std::int64_t lengthMs);

// How long ago a key was pressed: the toolkit stamps events with the
// system's monotonic milliseconds (32 bits, wrapping), the time of the press
// rather than of the handling. 0 when the stamp is missing or from another
// clock.
std::uint32_t KeyAgeMs(std::uint32_t eventStampMs, std::uint32_t nowMs);
// The monotonic clock in milliseconds, 32 bits, as event stamps are.
std::uint32_t MonotonicMs();

// Where a click on a word plays from: just before its mark, or before the
// last mark ahead of it when it has none yet.
std::int64_t ClickPlayFrom(std::optional<std::int64_t> wordMs,
                           std::optional<std::int64_t> earlierMs);

// "m:ss.cc", the clock the window shows.
std::string ClockText(std::int64_t ms);

// The waveform strip: `widthPx` pixels showing `spanMs` of song, with the
// play position a third of the way in (so what comes is seen ahead).
struct StripView {
    std::int64_t startMs = 0;
    double msPerPixel = 10;

    static StripView Around(std::int64_t playMs, int widthPx, std::int64_t spanMs);
    int XFor(std::int64_t ms) const;
    std::int64_t MsAt(int x) const;
};
// How near (in pixels) a click must be to a mark to pick it.
inline constexpr int kMarkPickPixels = 5;

}  // namespace orvane
