// The main window's state apart from its controls.
#pragma once

#include <string>

#include "encoder/job_state.h"
#include "encoder/picture.h"

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
};

}  // namespace orvane
