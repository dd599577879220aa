#include "convert/png_chunks.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace orvane {
namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kChunkFrame = 12;  // length, type, CRC

std::uint32_t LoadBE32(const std::uint8_t* b) {
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           b[3];
}

bool Dropped(const std::uint8_t* type) {
    for (const char* name : {"tEXt", "zTXt", "iTXt", "iCCP"}) {
        if (std::memcmp(type, name, 4) == 0) return true;
    }
    return false;
}

bool AnyDropped(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = sizeof kSignature; size - at >= kChunkFrame;) {
        const std::uint32_t length = LoadBE32(data + at);
        if (length > size - at - kChunkFrame) return false;
        if (Dropped(data + at + 4)) return true;
        at += kChunkFrame + length;
    }
    return false;
}

}  // namespace

int DropPngMetadata(AVPacket* packet) {
    const auto size = static_cast<std::size_t>(packet->size);
    if (size < sizeof kSignature || std::memcmp(packet->data, kSignature, sizeof kSignature) != 0 ||
        !AnyDropped(packet->data, size))
        return 0;
    if (const int rc = av_packet_make_writable(packet); rc < 0) return rc;
    std::uint8_t* data = packet->data;
    std::size_t kept = sizeof kSignature;
    std::size_t at = sizeof kSignature;
    while (size - at >= kChunkFrame) {
        const std::uint32_t length = LoadBE32(data + at);
        if (length > size - at - kChunkFrame) break;
        const std::size_t whole = kChunkFrame + length;
        if (!Dropped(data + at + 4)) {
            std::memmove(data + kept, data + at, whole);
            kept += whole;
        }
        at += whole;
    }
    std::memmove(data + kept, data + at, size - at);  // a tail that does not add up
    kept += size - at;
    std::memset(data + kept, 0, size - kept + AV_INPUT_BUFFER_PADDING_SIZE);
    packet->size = static_cast<int>(kept);
    return 0;
}

}  // namespace orvane
