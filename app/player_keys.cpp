#include "app/player_keys.h"

#include <algorithm>

namespace orvane {

PlayerAction ActionForKey(PlayerKey key, bool modifiers) {
    if (modifiers) return PlayerAction::None;
    switch (key) {
        case PlayerKey::Space:
            return PlayerAction::PlayPause;
        case PlayerKey::Left:
            return PlayerAction::Back;
        case PlayerKey::Right:
            return PlayerAction::Forward;
        case PlayerKey::Home:
            return PlayerAction::ToStart;
        case PlayerKey::End:
            return PlayerAction::ToEnd;
        case PlayerKey::Escape:
            return PlayerAction::Close;
        case PlayerKey::F1:
            return PlayerAction::Help;
        case PlayerKey::Other:
            break;
    }
    return PlayerAction::None;
}

std::uint64_t SeekTarget(PlayerAction action, std::uint64_t now, std::uint64_t total) {
    now = std::min(now, total);
    switch (action) {
        case PlayerAction::Back:
            return now > kSeekStepSectors ? now - kSeekStepSectors : 0;
        case PlayerAction::Forward:
            return std::min(now + kSeekStepSectors, total);
        case PlayerAction::ToStart:
            return 0;
        case PlayerAction::ToEnd:
            return total;
        default:
            return now;
    }
}

}  // namespace orvane
