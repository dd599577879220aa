#include "encoder/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "input/output_rule.h"

namespace orvane {
namespace {

// The temporary names in use, in a table a signal handler can walk: no lock,
// no allocation. A slot is 0 free, 1 being filled, 2 holding a name.
struct PendingSlot {
    std::atomic<int> state{0};
    char path[PATH_MAX];
};
PendingSlot pending[32];
static_assert(std::atomic<int>::is_always_lock_free);

// -1 when the table is full or the name too long: that file is then only
// removed the ordinary way.
int Remember(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < static_cast<int>(std::size(pending)); ++i) {
        int expected = 0;
        if (!pending[i].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(pending[i].path, path.c_str(), path.size() + 1);
        pending[i].state.store(2);
        return i;
    }
    return -1;
}

void Forget(int& slot) {
    if (slot >= 0) pending[slot].state.store(0);
    slot = -1;
}

OutputError SystemError(int error) {
    return {true, std::strerror(error)};
}

std::string FolderOf(const std::string& target) {
    const std::filesystem::path path(target);
    return path.has_parent_path() ? path.parent_path().string() : ".";
}

// Publishes `temp` as `target` without replacing an existing target.
// link() refuses an existing name atomically; file systems without hard links
// (FAT, some FUSE mounts) fall back to a look first, then rename().
int PublishNew(const std::string& temp, const std::string& target) {
    if (link(temp.c_str(), target.c_str()) == 0) return unlink(temp.c_str()), 0;
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
    struct stat info {};
    if (lstat(target.c_str(), &info) == 0) return EEXIST;
    return std::rename(temp.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// The rename itself reaches the disk only with the folder; failing to flush
// the folder loses nothing that was there before, so it is not an error.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

OutputFile::~OutputFile() {
    Discard();
}

OutputError OutputFile::Create(const std::string& target) {
    Discard();
    int error = 0;
    target_ = FileToReplace(target, error);
    if (target_.empty()) return SystemError(error);
    // Short, so that a target whose name has the full 255 bytes still has a
    // temporary name that fits beside it.
    const std::string pattern = FolderOf(target_) + "/.oXXXXXX";
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
    pendingSlot_ = Remember(tempPath_);
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
    // Checked up front by the output rule; looked at again here, since a
    // rename would put a regular file in the place of a device or a pipe.
    if (replace && !NotAFileKind(target_).empty()) return {true, "Not a regular file"};
    Forget(pendingSlot_);  // renamed below: a forced exit must not remove it
    const int error = replace ? (std::rename(tempPath_.c_str(), target_.c_str()) == 0 ? 0 : errno)
                              : PublishNew(tempPath_, target_);
    if (error != 0) return SystemError(error);
    tempPath_.clear();
    SyncFolder(FolderOf(target_));
    return {};
}

void OutputFile::Discard() {
    Forget(pendingSlot_);
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!tempPath_.empty()) unlink(tempPath_.c_str());
    tempPath_.clear();
}

void RemovePendingOutputs() {
    for (const PendingSlot& slot : pending) {
        if (slot.state.load() == 2) unlink(slot.path);
    }
    // Folders last, once the files in them are gone.
    for (const PendingSlot& slot : pending) {
        if (slot.state.load() == 2) rmdir(slot.path);
    }
}

int RemoveOnForcedExit(const std::string& path) {
    return Remember(path);
}

void KeepOnForcedExit(int ticket) {
    Forget(ticket);
}

}  // namespace orvane
