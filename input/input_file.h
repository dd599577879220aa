// What a name given as an input is, decided once for every command and
// window: only a regular file is read. A pipe with no writer would stall a
// read for ever, a device such as /dev/zero never ends, and "The file is
// empty" would be a wrong answer for either.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>

namespace orvane {

// "" for a regular file; otherwise what it is, as a sentence that follows
// "Cannot read NAME: " ("Is a directory", the system's own text for a
// folder; "Is a named pipe (FIFO), not a file"; "Is a device, not a file").
std::string NotAFileReason(mode_t mode);

struct OpenedInput {
    int fd = -1;            // open for reading, non-blocking; the caller closes it
    std::int64_t size = 0;  // as it was when opened
    std::string error;      // why there is no fd: the system's text or NotAFileReason's
    explicit operator bool() const { return fd >= 0; }
};

// Opens `path` with `flags` (O_RDONLY or O_RDWR) and refuses what is not a
// regular file, looked at before the open (so opening a device cannot
// touch it) and again on what was opened (so a swap in between cannot
// either).
OpenedInput OpenInputFile(const std::string& path, int flags);

}  // namespace orvane
