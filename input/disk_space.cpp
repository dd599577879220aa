#include "input/disk_space.h"

#include <sys/statvfs.h>

#include <filesystem>
#include <limits>

namespace orvane {

std::uint64_t FreeBytesForOutput(const std::string& outputPath) {
    std::filesystem::path folder = std::filesystem::path(outputPath).parent_path();
    if (folder.empty()) folder = ".";
    struct statvfs fs {};
    if (statvfs(folder.c_str(), &fs) != 0) return 0;
    const std::uint64_t blocks = fs.f_bavail;
    const std::uint64_t blockBytes = fs.f_frsize != 0 ? fs.f_frsize : fs.f_bsize;
    // Saturate rather than wrap: a wrapped count could make a full drive look empty.
    if (blockBytes != 0 && blocks > std::numeric_limits<std::uint64_t>::max() / blockBytes)
        return std::numeric_limits<std::uint64_t>::max();
    return blocks * blockBytes;
}

}  // namespace orvane
