#include "input/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orvane {

std::string NotAFileReason(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return std::strerror(EISDIR);
    if (S_ISFIFO(mode)) return "Is a named pipe (FIFO), not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "Is a device, not a file";
    if (S_ISSOCK(mode)) return "Is a socket, not a file";
    return "Is not a file";
}

OpenedInput OpenInputFile(const std::string& path, int flags) {
    OpenedInput input;
    struct stat named {};
    if (stat(path.c_str(), &named) != 0) {
        input.error = std::strerror(errno);
        return input;
    }
    if (input.error = NotAFileReason(named.st_mode); !input.error.empty()) return input;
    const int fd = open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    struct stat opened {};
    if (fd < 0 || fstat(fd, &opened) != 0) {
        input.error = std::strerror(errno);
        if (fd >= 0) close(fd);
        return input;
    }
    if (input.error = NotAFileReason(opened.st_mode); !input.error.empty()) {
        close(fd);
        return input;
    }
    input.fd = fd;
    input.size = static_cast<std::int64_t>(opened.st_size);
    return input;
}

}  // namespace orvane
