// Small helpers the file readers share: little-endian field decoding and a
// read that gathers up to the requested count.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace orvane {

// Fields at `at` of a buffer the caller has sized to hold them.
inline std::uint16_t LoadLE16(const std::uint8_t* b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

inline std::uint32_t LoadLE32(const std::uint8_t* b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Reads until `count` bytes arrived or the file ended. Returns the bytes
// read, or -1 with errno set when the system reports an error.
inline long ReadUpTo(int fd, void* buffer, std::size_t count) {
    auto* at = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = read(fd, at + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<long>(done);
}

}  // namespace orvane
