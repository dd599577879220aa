#include "disc/disc_length.h"

#include <cstdio>

namespace orvane {

DiscLength MeasureDisc(const std::vector<std::uint64_t>& trackSectors) {
    DiscLength length;
    length.tracks = trackSectors.size();
    for (const std::uint64_t sectors : trackSectors) length.sectors += sectors;
    if (length.tracks > 1) length.sectors += (length.tracks - 1) * kTrackGapSectors;
    length.over74 = length.sectors > k74MinuteSectors;
    length.over80 = length.sectors > k80MinuteSectors;
    return length;
}

std::string MinutesText(std::uint64_t sectors) {
    const std::uint64_t seconds = sectors / 75;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

std::string DiscSummary(const DiscLength& length) {
    return std::to_string(length.tracks) + (length.tracks == 1 ? " track, " : " tracks, ") +
           MinutesText(length.sectors) + " of " + MinutesText(k80MinuteSectors);
}

std::string TooLongMessage(const DiscLength& length) {
    // Rounded up, so that a few sectors over never read as "0:00 too long".
    const std::uint64_t over = length.over80 ? length.sectors - k80MinuteSectors : 0;
    return "The tracks and their gaps last " + MinutesText(length.sectors) +
           "; an 80-minute disc holds " + MinutesText(k80MinuteSectors) + ": " +
           MinutesText((over + 74) / 75 * 75) + " too long. Leave out a track.";
}

std::string Over74Warning(const DiscLength& length) {
    return "The tracks and their gaps last " + MinutesText(length.sectors) + ", more than the " +
           MinutesText(k74MinuteSectors) +
           " a 74-minute disc holds: burn an 80-minute disc; older drives and players may not "
           "read it to the end";
}

}  // namespace orvane
