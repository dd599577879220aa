#include "encoder/output_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace orvane {
namespace {

OutputClaim Refused(int fd, OutputRefusal refusal, int error = 0) {
    if (fd >= 0) ::close(fd);
    return {-1, refusal, error};
}

}  // namespace

OutputClaim ClaimOutput(const std::string& path, bool replace) {
    // The user's umask decides who else may read the image, as for any file a
    // desktop program saves.
    const int flags = O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC | (replace ? 0 : O_EXCL);
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Refused(-1, errno == EEXIST ? OutputRefusal::Exists : OutputRefusal::None, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return Refused(fd, OutputRefusal::None, errno);
    if (!S_ISREG(st.st_mode)) return Refused(fd, OutputRefusal::NotAFile);
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0 && errno == EWOULDBLOCK) return Refused(fd, OutputRefusal::Busy);
    if (::ftruncate(fd, 0) != 0) return Refused(fd, OutputRefusal::None, errno);
    return {fd, OutputRefusal::None, 0};
}

std::string ClaimRefusalText(OutputRefusal refusal, const std::string& path) {
    switch (refusal) {
        case OutputRefusal::Exists:
            return "Output file exists, use --force to overwrite";
        case OutputRefusal::Busy:
            return path + " is being written by another run; try again when it has finished";
        case OutputRefusal::NotAFile: {
            const std::string kind = NotAFileKind(path);
            return NotAFileMessage(path, kind.empty() ? "not a regular file" : kind);
        }
        default:
            return "Output file must differ from the bitmap and WAVE files";
    }
}

}  // namespace orvane
