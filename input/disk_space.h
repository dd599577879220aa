// Free space for the output image.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Bytes available to this user on the file system that holds the folder of
// `outputPath` (the current folder for a bare name). A failed query gives 0.
std::uint64_t FreeBytesForOutput(const std::string& outputPath);

}  // namespace orvane
