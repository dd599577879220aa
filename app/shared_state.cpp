#include "app/shared_state.h"

namespace orvane {

JobState jobState;
Picture picture;

}  // namespace orvane
