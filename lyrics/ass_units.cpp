#include "lyrics/ass_units.h"

#include <cstdio>

namespace orvane {

std::string AssClock(std::int64_t cs) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld.%02lld",
                  static_cast<long long>(cs / 360000), static_cast<long long>(cs / 6000 % 60),
                  static_cast<long long>(cs / 100 % 60), static_cast<long long>(cs % 100));
    return text;
}

const char* KaraokeTag(SyllableEffect effect) {
    switch (effect) {
        case SyllableEffect::Instant:
            return "k";
        case SyllableEffect::Outline:
            return "ko";
        case SyllableEffect::Sweep:
            break;
    }
    return "kf";
}

}  // namespace orvane
