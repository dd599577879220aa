// Test inputs made by the real tools (ffmpeg, sox, ImageMagick) at test time.
#pragma once

#include <string>

namespace orvane::test {

// Runs a shell command with its output silenced; true when it exits with 0.
bool RunQuiet(const std::string& command);
// True when every named program is on the PATH.
bool HaveTools(const std::string& names);
// ffmpeg with the options every call wants (no questions, errors only).
std::string Ffmpeg(const std::string& args);

}  // namespace orvane::test
