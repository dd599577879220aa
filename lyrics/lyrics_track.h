// The lyrics track both front ends make before the creation job runs: the
// timeline laid out and rendered over the picture, the track's tags, and the
// subcode stream the scheduler spends the packets on, with its lateness.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "encoder/picture.h"
#include "encoder/subcode.h"
#include "lyrics/lyrics_model.h"
#include "lyrics/packet_scheduler.h"
#include "lyrics/timeline_builder.h"

namespace orvane {

// --strict: a word later than this is an error, not a figure.
inline constexpr std::int64_t kStrictLatenessMs = 100;

struct LyricsTrack {
    bool ok = false;
    std::string message;  // why not, one sentence ready to show
    // One block per sector of the recording: what JobInputs::lyrics takes.
    std::shared_ptr<const std::vector<SubcodeBlock>> stream;
    Palette palette{};  // the colour table the stream loads
    LyricsLateness lateness;
    bool pictureReduced = false;
    std::vector<std::string> notes;  // lines for the log, from the layout
};

// `sectorCount`: the recording's length in sectors. The track's tags (title
// and performer) are the options' when given, else the lyrics' own.
LyricsTrack MakeLyricsTrack(const Picture& picture, const Lyrics& lyrics,
                            const LayoutOptions& options, std::int64_t sectorCount);

// True when a word is later than kStrictLatenessMs, or the recording ended
// before one was sung in full.
bool BreaksStrictLimit(const LyricsLateness& lateness);

// Why a track that breaks the strict limit is not written, one sentence.
std::string StrictRefusal(const LyricsLateness& lateness);

// "Lyrics loaded: PATH (N lines, M words)", as both front ends log it.
std::string LyricsLoadedLine(const std::string& path, const Lyrics& lyrics);

}  // namespace orvane
