// Whether an output path names one of the input files.
#pragma once

#include <string>

namespace orvane {

// True when `output` is the same file as `bitmap` or `wave`: by device and
// inode (links resolved) where the files exist, by normalised path otherwise.
// Opens nothing. Empty input paths never match.
bool OutputIsAnInput(const std::string& output, const std::string& bitmap, const std::string& wave);

}  // namespace orvane
