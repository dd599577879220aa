// The process-wide state the window and the creation job share.
#pragma once

#include "encoder/job_state.h"
#include "encoder/picture.h"

namespace orvane {

extern JobState jobState;
extern Picture picture;

}  // namespace orvane
