#include "export/strided_write.h"

#include <fcntl.h>
#include <sys/uio.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace orvane {
namespace {

constexpr std::size_t kMaxPieces = 1024;  // IOV_MAX on Linux

}  // namespace

OutputError WriteStrided(int fd, const std::uint8_t* data, std::size_t count, std::size_t stride,
                         std::size_t size) {
    iovec pieces[kMaxPieces];
    std::size_t next = 0;
    while (next < count) {
        const std::size_t n = std::min(kMaxPieces, count - next);
        for (std::size_t i = 0; i < n; ++i) {
            pieces[i].iov_base = const_cast<std::uint8_t*>(data + (next + i) * stride);
            pieces[i].iov_len = size;
        }
        iovec* at = pieces;
        std::size_t left = n;
        while (left > 0) {
            const ssize_t written = writev(fd, at, static_cast<int>(left));
            if (written < 0 && errno == EINTR) continue;
            if (written < 0) return {true, std::strerror(errno)};
            if (written == 0) return {true, std::strerror(EIO)};
            // Skip what went out: whole pieces, then the start of the next.
            auto rest = static_cast<std::size_t>(written);
            while (left > 0 && rest >= at->iov_len) {
                rest -= at->iov_len;
                ++at;
                --left;
            }
            if (left > 0) {
                at->iov_base = static_cast<std::uint8_t*>(at->iov_base) + rest;
                at->iov_len -= rest;
            }
        }
        next += n;
    }
    return {};
}

void StartWriteBack(int fd) {
    // Advice only: a failure here shows again, and counts, at the fsync.
    sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

}  // namespace orvane
