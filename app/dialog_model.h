// The main window's state apart from its controls.
#pragma once

#include <memory>
#include <string>

#include "encoder/job_state.h"
#include "encoder/picture.h"
#include "lyrics/lyrics_model.h"

namespace orvane {

struct DialogModel {
    DialogModel(JobState& state, Picture& shown) : jobState(state), picture(shown) {}

    JobState& jobState;
    Picture& picture;
    std::string bitmapPath;
    std::string wavePath;
    std::string outputPath;
    // The image the last completed run wrote: where the player and the
    // export start.
    std::string lastImagePath;
    // Timed lyrics for the next run ("Add lyrics..."); none: the image as
    // without lyrics. Shared, so the job's copy costs nothing.
    std::shared_ptr<const Lyrics> lyrics;
    std::string lyricsPath;
};

}  // namespace orvane
