// Spends the stream's four packets a sector on a lyrics track: sector 0
// loads the colour table, the packets that name the track follow, then the
// picture as fast as the stream allows and every change of the timeline,
// earliest deadline first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoder/subcode.h"
#include "lyrics/screen_timeline.h"

namespace orvane {

// A word is late when one of its changes shows more than this after its
// deadline: one frame of a 25-frame video, less than a singer notices.
inline constexpr std::int64_t kLateToleranceMs = 40;

// How well the stream kept to the timeline: the figure a front end prints.
struct LyricsLateness {
    int lines = 0;
    int words = 0;
    int lateWords = 0;          // later than kLateToleranceMs
    std::int64_t latestMs = 0;  // the latest word's lateness, 0 when none was late at all
    // Lines not whole on screen `leadMs` before their first word.
    int linesNotAhead = 0;
    std::int64_t leadMs = 0;
    // Changes the stream ended before (more than the recording could carry);
    // their words count as late, whatever their figure, and as cut.
    int unsentChanges = 0;
    int cutWords = 0;
};

struct ScheduleOptions {
    std::vector<SubcodePacket> leadPackets;  // sent right after the colour table
    std::int64_t leadMs = 1000;
};

struct PacketSchedule {
    std::vector<SubcodeBlock> blocks;  // one per sector
    LyricsLateness lateness;
    // The sector in which the picture was whole on screen, or -1 when the
    // stream ended first.
    std::int64_t pictureDoneSector = -1;
};

// `sectorCount` blocks. A job is a tile brought to its latest state that may
// be drawn now (release <= now, and no more than 5 s before it is due);
// states it overtakes count as shown with it.
// Its deadline is its earliest state's; the picture's own tiles get the
// sector they would end in if sent alone, in order, so a line due early goes
// before the rest of the picture. Earliest deadline first, with the words
// ahead of everything else due less than 2 s after them. Each job costs
// what PlanTileUpdate says from what the tile shows at that moment.
PacketSchedule SchedulePackets(const ScreenTimeline& timeline, std::int64_t sectorCount,
                               const ScheduleOptions& options);

// The one line the front ends print, e.g.
// "Lyrics: 50 lines, 300 words, 0 late (latest 0 ms)", followed by the lines
// not shown in time and the changes left out, when there are any.
std::string LatenessLine(const LyricsLateness& lateness);

}  // namespace orvane
