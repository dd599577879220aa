// The activity log: every line gets the local time in front of it.
#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "app/dialog_effects.h"

namespace orvane {

// The local wall-clock time, or nothing when it cannot be had.
std::optional<std::tm> CurrentLocalTime();

// "[%H:%M:%S]   " for `time`: 13 characters.
std::string LogPrefix(const std::tm& time);

// Prefixes the local time (nothing when it cannot be had) and appends the
// line to the log, which scrolls to show it.
void AddLogLine(DialogEffects& effects, const std::string& text);

}  // namespace orvane
