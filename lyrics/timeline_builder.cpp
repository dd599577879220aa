#include "lyrics/timeline_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "lyrics/lyrics_layout.h"
#include "lyrics/lyrics_renderer.h"
#include "lyrics/palette_reserve.h"
#include "lyrics/word_spans.h"

namespace orvane {
namespace {

std::string Clock(std::int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(ms / 60000),
                  static_cast<long long>(ms / 1000 % 60));
    return text;
}

// A line whose first word comes after the recording ends is a mistake
// (another song's lyrics, a wrong offset), not something to cut silently.
std::string LateLine(const Lyrics& lyrics, std::int64_t endMs) {
    for (const LyricsLine& line : lyrics.lines) {
        const std::vector<WordSpan> words = WordSpans(line);
        if (words.empty()) continue;
        const std::int64_t first = line.syllables[words.front().first].startMs;
        if (first >= endMs)
            return "Line " + std::to_string(line.sourceLine) + " of the lyrics starts at " +
                   Clock(first) + ", after the recording ends (" + Clock(endMs) + ").";
    }
    return {};
}

std::vector<TimelineLine> Lines(const Lyrics& lyrics, const std::vector<ScreenElement>& elements) {
    std::vector<TimelineLine> lines(lyrics.lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<WordSpan> words = WordSpans(lyrics.lines[i]);
        lines[i].firstWordMs = words.empty()
                                   ? lyrics.lines[i].StartMs()
                                   : lyrics.lines[i].syllables[words.front().first].startMs;
    }
    for (const ScreenElement& element : elements) {
        if (element.kind != ScreenElement::Kind::Line) continue;
        TimelineLine& line = lines[element.line];
        line.left = element.box.left;
        line.top = element.box.top;
        line.right = element.box.right;
        line.bottom = element.box.bottom;
    }
    return lines;
}

std::vector<TimelineOverlay> Overlays(const std::vector<ScreenElement>& elements) {
    std::vector<TimelineOverlay> overlays;
    for (const ScreenElement& e : elements)
        if (e.kind != ScreenElement::Kind::Line)
            overlays.push_back(
                {e.appearMs, e.clearMs, e.box.left, e.box.top, e.box.right, e.box.bottom});
    return overlays;
}

}  // namespace

ScreenTimelineResult BuildScreenTimeline(const Picture& picture, const Lyrics& lyrics,
                                         const LayoutOptions& options, std::int64_t sectorCount) {
    ScreenTimelineResult result;
    const std::int64_t endMs = MsOfSector(std::max<std::int64_t>(0, sectorCount));
    result.message = LateLine(lyrics, endMs);
    if (!result.message.empty()) return result;

    LayoutOptions layoutOptions = options;
    if (!std::isfinite(layoutOptions.leadSeconds)) layoutOptions.leadSeconds = 1.0;
    layoutOptions.leadSeconds = std::clamp(layoutOptions.leadSeconds, 0.0, 60.0);

    ScreenTimeline& timeline = result.timeline;
    const ConvertOutcome reserved =
        ReservePalette(picture, lyrics.style, timeline.picture, result.pictureReduced);
    if (!reserved.ok()) {
        result.message = reserved.message;
        return result;
    }
    if (result.pictureReduced)
        result.notes.push_back(
            "Picture reduced to 12 colours to make room for the lyrics' 4 colours");

    LyricsLayout layout = LayOutLyrics(lyrics, layoutOptions, endMs);
    if (!layout.ok) {
        result.message = layout.message;
        return result;
    }
    timeline.words = std::move(layout.words);
    timeline.lines = Lines(lyrics, layout.elements);
    timeline.overlays = Overlays(layout.elements);
    if (!RenderTileStates(timeline.picture, layout.elements, layoutOptions.fontFile, sectorCount,
                          timeline.changes, result.message))
        return result;
    result.ok = true;
    return result;
}

}  // namespace orvane
