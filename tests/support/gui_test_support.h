// Helpers for tests that run real windows under a virtual display.
#pragma once

#include <chrono>
#include <functional>

namespace orvane::test {

// Runs the event loop until `done` is true or `timeout` passes; returns done().
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(30));

// Runs pending events for about `duration`.
void PumpFor(std::chrono::milliseconds duration);

}  // namespace orvane::test
