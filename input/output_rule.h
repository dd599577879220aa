// The one rule for where Orvane may write, shared by every command and the
// window: an output is never a file the user named as an input, never named
// twice, never a folder, device, pipe or socket, and replaces an existing file
// only when asked to. It asks the file system about names and opens nothing,
// so a refusal comes before the first byte of any output.
#pragma once

#include <string>
#include <vector>

namespace orvane {

enum class OutputRefusal {
    None,
    IsAnInput,   // the output is one of the inputs (same file, also through a link)
    NamedTwice,  // two outputs of one command name the same file
    NotAFile,    // it exists and is a folder, device, pipe or socket
    Exists,      // it exists and replacing was not asked for
    Busy,        // another run holds it (the create job's lock, see ClaimOutput)
};

struct OutputVerdict {
    OutputRefusal refusal = OutputRefusal::None;
    std::string path;     // the output refused
    std::string message;  // a sentence to show; commands with texts of their own use `refusal`
    bool ok() const { return refusal == OutputRefusal::None; }
};

// Checks every output, one kind of refusal at a time: each against every
// input and every output before it by file identity (device and inode, links
// resolved), then what each existing one is, then (unless `replace`) whether
// it exists at all (a dangling link does). Empty names are skipped.
OutputVerdict CheckOutputs(const std::vector<std::string>& outputs,
                           const std::vector<std::string>& inputs, bool replace);

// What `path` is when it exists and is not a regular file, links followed:
// "a folder", "a character device", "a block device", "a named pipe (FIFO)"
// or "a socket". Empty for a regular file or a name with nothing there.
std::string NotAFileKind(const std::string& path);

// "PATH is a character device; name a file to write".
std::string NotAFileMessage(const std::string& path, const std::string& kind);

// The name a write through a temporary file must rename over: `path` itself,
// or, where `path` is a symbolic link, the file its links name in the end, so
// that the file is replaced and the link kept. Empty with `error` set (ELOOP)
// when the links go round in a circle.
std::string FileToReplace(const std::string& path, int& error);

}  // namespace orvane
