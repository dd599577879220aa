// Whether two paths name one file.
#pragma once

#include <string>

namespace orvane {

// True when `a` and `b` name one file: by device and inode (links resolved)
// where both exist, by normalised path otherwise. Opens nothing. Empty paths
// never match.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace orvane
