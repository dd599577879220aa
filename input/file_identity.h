// Whether two paths name one file, and whether an output names an input.
#pragma once

#include <string>

namespace orvane {

// True when `output` is the same file as `bitmap` or `wave`: by device and
// inode (links resolved) where the files exist, by normalised path otherwise.
// Opens nothing. Empty input paths never match.
bool OutputIsAnInput(const std::string& output, const std::string& bitmap, const std::string& wave);

// True when `a` and `b` name one file, by the same rules. Empty paths never
// match.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orvane
