#include "encoder/image_size.h"

#include "encoder/subcode.h"

namespace orvane {

std::int64_t SectorCount(std::int64_t audioByteCount) {
    if (audioByteCount <= 0) return 0;
    return audioByteCount / static_cast<std::int64_t>(kAudioSectorBytes);
}

std::uint64_t BytesNeeded(std::int64_t audioByteCount) {
    if (audioByteCount <= 0) return 0;
    const auto count = static_cast<std::uint64_t>(audioByteCount);
    return ((count + kAudioSectorBytes - 1) / kAudioSectorBytes) * kRawSectorBytes;
}

}  // namespace orvane
