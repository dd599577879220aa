// The lyrics track as screens: the picture with room made for the lyrics'
// colours, the lines laid out in pages, and every tile change libass's frames
// ask for, each with the sector it must show by. Both front ends call this;
// the packet scheduler turns its result into the subcode stream.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "encoder/picture.h"
#include "lyrics/lyrics_model.h"
#include "lyrics/screen_timeline.h"

namespace orvane {

struct LayoutOptions {
    // How long a line is on screen at least before its first word.
    double leadSeconds = 1.0;
    // Replace the lyrics' own [ti:] / [ar:] (an empty text: none shown).
    std::optional<std::string> title;
    std::optional<std::string> artist;
    // A font file used for every glyph, or a family name found through
    // fontconfig instead of the style's; empty: the style's font.
    std::string fontFile;
    std::string fontName;
};

struct ScreenTimelineResult {
    bool ok = false;
    std::string message;  // why not, one sentence ready to show
    // The picture had more than 12 colours and was reduced to make room for
    // the lyrics' four; `notes` says so in a line for the log.
    bool pictureReduced = false;
    std::vector<std::string> notes;
    ScreenTimeline timeline;
};

// `sectorCount`: the recording's length in sectors (75 a second); nothing is
// planned after it. Fails when a line starts after the recording ends, when
// the font cannot be loaded, or when libass or libimagequant refuse.
ScreenTimelineResult BuildScreenTimeline(const Picture& picture, const Lyrics& lyrics,
                                         const LayoutOptions& options, std::int64_t sectorCount);

}  // namespace orvane
