// How much of a disc the tracks fill: their sectors, the 2-second gap before
// every track after the first, and the 2 seconds before the first track
// that every disc has, against 74- and 80-minute discs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

inline constexpr std::uint64_t kTrackGapSectors = 150;  // 2 s between tracks
inline constexpr std::uint64_t kLeadInSectors = 150;    // 2 s before track 1
inline constexpr std::size_t kMaxDiscTracks = 99;
// A disc of N minutes ends its last track by N:00:00 less one sector; the
// program area (tracks and their gaps) holds that less the first 2 s.
inline constexpr std::uint64_t k80MinuteSectors = 80 * 60 * 75 - 1 - kLeadInSectors;  // 79:57:74
inline constexpr std::uint64_t k74MinuteSectors = 74 * 60 * 75 - 1 - kLeadInSectors;  // 73:57:74

struct DiscLength {
    std::size_t tracks = 0;
    std::uint64_t sectors = 0;  // tracks plus the gaps between them
    bool over74 = false;
    bool over80 = false;
};

DiscLength MeasureDisc(const std::vector<std::uint64_t>& trackSectors);

// "M:SS" of whole seconds, rounded down.
std::string MinutesText(std::uint64_t sectors);

// "12 tracks, 47:32 of 79:57".
std::string DiscSummary(const DiscLength& length);

// Why a disc over 80 minutes is refused: its length and how much is over.
std::string TooLongMessage(const DiscLength& length);

// The warning for a disc over 74 minutes.
std::string Over74Warning(const DiscLength& length);

}  // namespace orvane
