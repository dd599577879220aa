#include "app/player_keys.h"

#include <algorithm>

namespace orvane {

PlayerAction ActionForKey(PlayerKey key, bool shift, bool ctrlOrAlt, bool buttonFocused) {
    if (ctrlOrAlt) return PlayerAction::None;
    if (key == PlayerKey::Space && buttonFocused) return PlayerAction::None;
    if (key == PlayerKey::Plus) return PlayerAction::ZoomIn;
    if (key == PlayerKey::Minus) return PlayerAction::ZoomOut;
    if (shift) return PlayerAction::None;
    switch (key) {
        case PlayerKey::Space:
            return PlayerAction::PlayPause;
        case PlayerKey::Left:
            return PlayerAction::Back;
        case PlayerKey::Right:
            return PlayerAction::Forward;
        case PlayerKey::PageUp:
            return PlayerAction::PageBack;
        case PlayerKey::PageDown:
            return PlayerAction::PageForward;
        case PlayerKey::Home:
            return PlayerAction::ToStart;
        case PlayerKey::End:
            return PlayerAction::ToEnd;
        case PlayerKey::Escape:
            return PlayerAction::Close;
        case PlayerKey::F1:
            return PlayerAction::Help;
        default:
            break;
    }
    return PlayerAction::None;
}

int ZoomedFactor(PlayerAction action, int factor, int largest) {
    if (action == PlayerAction::ZoomIn) ++factor;
    if (action == PlayerAction::ZoomOut) --factor;
    return std::clamp(factor, 1, std::max(1, largest));
}

std::uint64_t SeekTarget(PlayerAction action, std::uint64_t now, std::uint64_t total) {
    now = std::min(now, total);
    const auto back = [now](std::uint64_t step) { return now > step ? now - step : 0; };
    switch (action) {
        case PlayerAction::Back:
            return back(kSeekStepSectors);
        case PlayerAction::Forward:
            return std::min(now + kSeekStepSectors, total);
        case PlayerAction::PageBack:
            return back(kPageStepSectors);
        case PlayerAction::PageForward:
            return std::min(now + kPageStepSectors, total);
        case PlayerAction::ToStart:
            return 0;
        case PlayerAction::ToEnd:
            return total;
        default:
            return now;
    }
}

}  // namespace orvane
