#include "app/lyrics/timing_keys.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace orvane {

namespace {

TimingAction ControlAction(TimingKey key, bool shift) {
    switch (key) {
        case TimingKey::Z:
            return shift ? TimingAction::Redo : TimingAction::Undo;
        case TimingKey::Y:
            return TimingAction::Redo;
        case TimingKey::S:
            return shift ? TimingAction::None : TimingAction::Save;
        default:
            return TimingAction::None;
    }
}

}  // namespace

TimingAction ActionForTimingKey(TimingKey key, bool ctrl, bool alt, bool shift, bool playing) {
    if (ctrl && alt) return TimingAction::None;
    if (ctrl) return ControlAction(key, shift);
    if (alt) {
        if (shift) return TimingAction::None;
        if (key == TimingKey::Left) return TimingAction::NudgeEarlier;
        if (key == TimingKey::Right) return TimingAction::NudgeLater;
        return TimingAction::None;
    }
    if (shift) return TimingAction::None;
    switch (key) {
        case TimingKey::Space:
            return playing ? TimingAction::Tap : TimingAction::Play;
        case TimingKey::Enter:
            return playing ? TimingAction::EndLine : TimingAction::None;
        case TimingKey::Backspace:
            return TimingAction::StepBack;
        case TimingKey::Left:
            return TimingAction::Back;
        case TimingKey::Right:
            return TimingAction::Forward;
        case TimingKey::Home:
            return TimingAction::ToStart;
        case TimingKey::P:
            return TimingAction::PlayPause;
        default:
            return TimingAction::None;
    }
}

std::int64_t TimingSeekTarget(TimingAction action, std::int64_t nowMs, std::int64_t lengthMs) {
    switch (action) {
        case TimingAction::Back:
            return std::clamp<std::int64_t>(nowMs - kTimingSeekMs, 0, lengthMs);
        case TimingAction::Forward:
            return std::clamp<std::int64_t>(nowMs + kTimingSeekMs, 0, lengthMs);
        case TimingAction::ToStart:
            return 0;
        default:
            return nowMs;
    }
}

std::uint32_t KeyAgeMs(std::uint32_t eventStampMs, std::uint32_t nowMs) {
    if (eventStampMs == 0) return 0;
    const std::uint32_t age = nowMs - eventStampMs;  // wraps as the stamps do
    return age <= kMaxKeyAgeMs ? age : 0;
}

std::uint32_t MonotonicMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::int64_t ClickPlayFrom(std::optional<std::int64_t> wordMs,
                           std::optional<std::int64_t> earlierMs) {
    const std::optional<std::int64_t> mark = wordMs ? wordMs : earlierMs;
    return mark ? std::max<std::int64_t>(0, *mark - kClickLeadMs) : 0;
}

std::string ClockText(std::int64_t ms) {
    ms = std::max<std::int64_t>(0, ms);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%02lld", static_cast<long long>(ms / 60000),
                  static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms / 10 % 100));
    return text;
}

StripView StripView::Around(std::int64_t playMs, int widthPx, std::int64_t spanMs) {
    StripView view;
    view.msPerPixel = static_cast<double>(spanMs) / std::max(1, widthPx);
    view.startMs = playMs - spanMs / 3;
    return view;
}

int StripView::XFor(std::int64_t ms) const {
    return static_cast<int>(std::floor(static_cast<double>(ms - startMs) / msPerPixel));
}

std::int64_t StripView::MsAt(int x) const {
    return startMs + std::llround(x * msPerPixel);
}

}  // namespace orvane
