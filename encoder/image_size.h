// Sizes of the output image, in 64 bits throughout.
#pragma once

#include <cstdint>

namespace orvane {

// Whole sectors the job writes for `audioByteCount` bytes (remainder dropped).
std::int64_t SectorCount(std::int64_t audioByteCount);

// Room the front ends ask for before a run: a final partial sector counts as
// a whole one, so this can be one sector more than the job writes.
std::uint64_t BytesNeeded(std::int64_t audioByteCount);

}  // namespace orvane
