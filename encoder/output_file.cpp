#include "encoder/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace orvane {
namespace {

OutputError SystemError(int error) { return {true, std::strerror(error)}; }

}  // namespace

OutputFile::~OutputFile() { Discard(); }

OutputError OutputFile::Create(const std::string& target) {
    Discard();
    target_ = target;
    const std::filesystem::path path(target);
    const std::string dir = path.has_parent_path() ? path.parent_path().string() : ".";
    std::string pattern = dir + "/." + path.filename().string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return SystemError(errno);
    // mkostemp makes the file owner-only; a finished export is as readable as
    // any file the user makes.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    fd_ = fd;
    tempPath_ = name.data();
    return {};
}

OutputError OutputFile::Write(const void* data, std::size_t size) {
    const auto* at = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd_, at, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return SystemError(errno);
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

OutputError OutputFile::Commit(bool replace) {
    if (fd_ < 0) return SystemError(EBADF);
    if (fsync(fd_) != 0) return SystemError(errno);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) return SystemError(errno);
    if (replace) {
        if (std::rename(tempPath_.c_str(), target_.c_str()) != 0) return SystemError(errno);
    } else {
        // link() refuses an existing target, where rename() would replace it.
        if (link(tempPath_.c_str(), target_.c_str()) != 0) return SystemError(errno);
        unlink(tempPath_.c_str());
    }
    tempPath_.clear();
    return {};
}

void OutputFile::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) unlink(tempPath_.c_str());
    tempPath_.clear();
}

}  // namespace orvane
