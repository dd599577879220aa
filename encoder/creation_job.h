// The job that writes the output image: audio sectors copied unchanged, each
// followed by its 96 bytes of subcode (colour table, tiles, then empty).
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "encoder/job_state.h"
#include "encoder/picture.h"

namespace orvane {

// Everything the job reads besides the flags, copied when it starts, so a new
// choice in the front end during a run only affects the next run.
struct JobInputs {
    Picture picture;
    std::string wavePath;
    std::string outputPath;
    std::int64_t audioDataOffset = 0;
    std::int64_t audioByteCount = 0;
    // False: the output must not exist yet (created with O_EXCL).
    bool replaceOutput = true;
};

// Takes the copies from the shared state and the loaded picture.
JobInputs SnapshotInputs(const JobState& state, const Picture& picture);

// Runs one whole job on the calling thread. Reads state.stopRequested once
// per iteration, writes readFailed/writeFailed, reports through `sink`.
// An output path that names the recording itself (by device and inode) is
// treated as an output that cannot be created, so the audio is never
// truncated: writeFailed, JOB_IO_ERROR alone. The output is claimed
// (ClaimOutput) for the whole run; a refused claim sets outputRefused and
// sends JOB_IO_ERROR alone, with the output untouched.
// Both files are opened non-blocking: a pipe or device that would stall the
// job fails its read or write instead. A run that wrote every sector flushes
// the image to the disk and closes it before JOB_COMPLETED; a failed flush or
// close is a write failure (JOB_IO_ERROR, then JOB_CANCELLED).
void CreationJob(const JobInputs& inputs, JobState& state, StatusSink& sink);

// Runs CreationJob on a thread of its own, one at a time.
class JobRunner {
  public:
    JobRunner() = default;
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;
    ~JobRunner();  // waits for a running job

    enum class StartResult { Started, StillRunning, ThreadFailed };

    // Refuses while an earlier job's thread has not ended. `state` and `sink`
    // must outlive the job.
    StartResult Start(JobInputs inputs, JobState& state, StatusSink& sink);

    // True from Start until the job's thread function has returned.
    bool IsRunning() const { return running_.load(std::memory_order_acquire); }

    // Waits for the job's thread to end (no-op when none was started).
    void Wait();
    // Waits at most `limit`; false when the job is still running then (stuck
    // in a read or write that does not return, on a stalled network file
    // system for example). The caller can then only end the process.
    bool WaitFor(std::chrono::milliseconds limit);

  private:
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::mutex mutex_;
    std::condition_variable ended_;
};

}  // namespace orvane
