// Checks shared by the command line's tests.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orvane::test {

// The image made from a MakeWav recording of `audioBytes`: whole sectors only,
// each sector's 2,352 audio bytes the recording's, unchanged.
void ExpectImageOfRecording(const std::string& imagePath, std::size_t audioBytes);

// `text` cut at each '\n' (a final empty piece is dropped).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace orvane::test
