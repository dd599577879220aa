#include "input/sector_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace orvane {
namespace {

SectorFileError Failure(SectorFileStatus status, std::string message) {
    return {status, std::move(message)};
}

}  // namespace

SectorFile::SectorFile(SectorFile&& other) noexcept { *this = std::move(other); }

SectorFile& SectorFile::operator=(SectorFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        layout_ = other.layout_;
        sectorCount_ = std::exchange(other.sectorCount_, 0);
        ignoredBytes_ = std::exchange(other.ignoredBytes_, 0);
    }
    return *this;
}

SectorFile::~SectorFile() {
    if (fd_ >= 0) close(fd_);
}

SectorFileError SectorFile::Open(const std::string& path, SectorLayout layout) {
    *this = SectorFile();
    layout_ = layout;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Failure(SectorFileStatus::OpenFailed, std::strerror(errno));
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        const int error = errno;
        close(fd);
        return Failure(SectorFileStatus::OpenFailed, std::strerror(error));
    }
    if (S_ISDIR(info.st_mode)) {
        close(fd);
        return Failure(SectorFileStatus::OpenFailed, std::strerror(EISDIR));
    }
    fd_ = fd;
    const auto size = static_cast<std::uint64_t>(info.st_size);
    sectorCount_ = size / sectorBytes();
    ignoredBytes_ = size % sectorBytes();
    if (size == 0) return Failure(SectorFileStatus::Empty, "The file is empty");
    if (sectorCount_ == 0) {
        return Failure(SectorFileStatus::NoSector,
                       "The file is shorter than one sector (" +
                           std::to_string(sectorBytes()) + " bytes)");
    }
    return {};
}

SectorFileError SectorFile::Read(std::uint64_t first, std::size_t count, std::uint8_t* out,
                                 std::size_t& read) const {
    read = 0;
    if (fd_ < 0) return Failure(SectorFileStatus::ReadFailed, std::strerror(EBADF));
    if (first >= sectorCount_) return {};
    if (count > sectorCount_ - first) count = static_cast<std::size_t>(sectorCount_ - first);
    const std::size_t bytes = count * sectorBytes();
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t n = pread(fd_, out + done, bytes - done,
                                static_cast<off_t>(first * sectorBytes() + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure(SectorFileStatus::ReadFailed, std::strerror(errno));
        if (n == 0) return Failure(SectorFileStatus::ReadFailed, "The file got shorter");
        done += static_cast<std::size_t>(n);
    }
    read = count;
    return {};
}

std::string IgnoredTailLine(std::uint64_t bytes, const std::string& file) {
    return "Ignored the last " + std::to_string(bytes) + " bytes of " + file +
           ": not a whole sector";
}

}  // namespace orvane
