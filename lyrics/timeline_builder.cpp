#include "lyrics/timeline_builder.h"

namespace orvane {

// First step: the interface, so the scheduler can be built against it; the
// layout and the renderer follow.
ScreenTimelineResult BuildScreenTimeline(const Picture& picture, const Lyrics&,
                                         const LayoutOptions&, std::int64_t) {
    ScreenTimelineResult result;
    result.timeline.picture = picture;
    result.message = "The lyrics cannot be laid out yet.";
    return result;
}

}  // namespace orvane
