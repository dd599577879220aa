#include "input/sector_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "input/input_file.h"

namespace orvane {
namespace {

SectorFileError Failure(SectorFileStatus status, std::string message) {
    return {status, std::move(message)};
}

}  // namespace

SectorFile::SectorFile(SectorFile&& other) noexcept {
    *this = std::move(other);
}

SectorFile& SectorFile::operator=(SectorFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        layout_ = other.layout_;
        sectorCount_ = std::exchange(other.sectorCount_, 0);
        ignoredBytes_ = std::exchange(other.ignoredBytes_, 0);
        dataBytes_ = std::exchange(other.dataBytes_, 0);
    }
    return *this;
}

SectorFile::~SectorFile() {
    if (fd_ >= 0) close(fd_);
}

SectorFileError SectorFile::Open(const std::string& path, SectorLayout layout) {
    *this = SectorFile();
    layout_ = layout;
    const OpenedInput input = OpenInputFile(path, O_RDONLY);
    if (!input) return Failure(SectorFileStatus::OpenFailed, input.error);
    fd_ = input.fd;
    const auto size = static_cast<std::uint64_t>(input.size);
    const std::uint64_t unit =
        layout == SectorLayout::CdgStream ? kSubcodePacketBytes : kRawSectorBytes;
    ignoredBytes_ = size % unit;
    dataBytes_ = size - ignoredBytes_;
    sectorCount_ = (dataBytes_ + sectorBytes() - 1) / sectorBytes();
    if (size == 0) return Failure(SectorFileStatus::Empty, "The file is empty");
    if (sectorCount_ == 0) {
        return Failure(SectorFileStatus::NoSector,
                       std::string("The file is shorter than one ") +
                           (layout == SectorLayout::CdgStream ? "packet (" : "sector (") +
                           std::to_string(unit) + " bytes)");
    }
    return {};
}

SectorFileError SectorFile::Read(std::uint64_t first, std::size_t count, std::uint8_t* out,
                                 std::size_t& read) const {
    read = 0;
    if (fd_ < 0) return Failure(SectorFileStatus::ReadFailed, std::strerror(EBADF));
    if (first >= sectorCount_) return {};
    if (count > sectorCount_ - first) count = static_cast<std::size_t>(sectorCount_ - first);
    const std::uint64_t at = first * sectorBytes();
    const std::size_t bytes = count * sectorBytes();
    const auto inFile = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, dataBytes_ - at));
    std::memset(out + inFile, 0, bytes - inFile);
    std::size_t done = 0;
    while (done < inFile) {
        const ssize_t n = pread(fd_, out + done, inFile - done, static_cast<off_t>(at + done));
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
