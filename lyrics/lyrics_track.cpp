#include "lyrics/lyrics_track.h"

#include <cmath>

#include "encoder/track_tags.h"

namespace orvane {

LyricsTrack MakeLyricsTrack(const Picture& picture, const Lyrics& lyrics,
                            const LayoutOptions& options, std::int64_t sectorCount) {
    LyricsTrack track;
    ScreenTimelineResult built = BuildScreenTimeline(picture, lyrics, options, sectorCount);
    track.pictureReduced = built.pictureReduced;
    track.notes = std::move(built.notes);
    if (!built.ok) {
        track.message = std::move(built.message);
        return track;
    }
    ScheduleOptions schedule;
    schedule.leadMs = std::llround(options.leadSeconds * 1000);
    schedule.leadPackets = EncodeTrackTags(
        {options.title.value_or(lyrics.title), options.artist.value_or(lyrics.artist)});
    PacketSchedule packets = SchedulePackets(built.timeline, sectorCount, schedule);
    track.ok = true;
    track.palette = built.timeline.picture.palette;
    track.lateness = packets.lateness;
    track.stream = std::make_shared<const std::vector<SubcodeBlock>>(std::move(packets.blocks));
    return track;
}

bool BreaksStrictLimit(const LyricsLateness& lateness) {
    return lateness.latestMs > kStrictLatenessMs || lateness.cutWords > 0;
}

std::string StrictRefusal(const LyricsLateness& lateness) {
    if (lateness.cutWords > 0) {
        return "The recording ends before " + std::to_string(lateness.cutWords) +
               " words are shown in full; nothing was written.";
    }
    return "Words would show up to " + std::to_string(lateness.latestMs) +
           " ms late, more than the " + std::to_string(kStrictLatenessMs) +
           " ms allowed; nothing was written.";
}

std::string LyricsLoadedLine(const std::string& path, const Lyrics& lyrics) {
    return "Lyrics loaded: " + path + " (" + std::to_string(lyrics.lines.size()) + " lines, " +
           std::to_string(lyrics.WordCount()) + " words)";
}

}  // namespace orvane
