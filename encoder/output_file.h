// A file that is either complete or not there: written under a temporary name
// in the target's own folder, flushed to the disk, then renamed over the
// target. Destroyed without Commit(), it removes the temporary file, so a
// failure, a stop or a full disk leaves no half file.
#pragma once

#include <cstddef>
#include <string>

namespace orvane {

struct OutputError {
    bool failed = false;
    std::string message;  // the system's text ("No space left on device")
    explicit operator bool() const { return failed; }
};

class OutputFile {
  public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();  // removes the temporary file unless committed

    // Creates TARGET_DIR/.oXXXXXX with the user's umask (0666 less it). A
    // target that is a symbolic link stands for the file the link names: that
    // file is replaced and the link kept.
    OutputError Create(const std::string& target);

    // The file Commit replaces (links followed).
    const std::string& target() const { return target_; }
    const std::string& tempPath() const { return tempPath_; }
    int fd() const { return fd_; }

    OutputError Write(const void* data, std::size_t size);
    // fsync, close, and rename over the target. With replace false an
    // existing target is left alone and the commit fails with "File exists";
    // a target that is no regular file (a device, a pipe) is never renamed
    // over.
    OutputError Commit(bool replace = true);
    // Removes the temporary file now.
    void Discard();

  private:
    int fd_ = -1;
    int pendingSlot_ = -1;  // where RemovePendingOutputs finds the temporary name
    std::string target_;
    std::string tempPath_;
};

// Removes every temporary file that no OutputFile has committed or discarded
// yet, and the paths named below. For a program that must end at once (a
// second stop signal), where no destructor runs: async-signal-safe, it only
// reads a fixed table, unlinks files and then removes empty folders.
void RemovePendingOutputs();

// Names a file or folder of the program's own (a scratch folder and what it
// holds) for RemovePendingOutputs. The ticket goes back to
// KeepOnForcedExit once the path is gone or no longer the program's to
// remove. -1 when the table is full: the path is then only removed normally.
int RemoveOnForcedExit(const std::string& path);
void KeepOnForcedExit(int ticket);

}  // namespace orvane
