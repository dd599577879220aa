// State shared by the front end (dialog or command line) and the creation job.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "input/output_rule.h"

namespace orvane {

// Status codes the job reports, in the order a front end may receive them.
enum JobStatus : unsigned {
    JOB_PROGRESS = 0,   // value: percentage 0..100
    JOB_IO_ERROR = 1,   // readFailed, writeFailed or outputRefused says which
    JOB_CANCELLED = 2,  // last status of a run that ended with stopRequested set
    JOB_COMPLETED = 3,  // last status of a run that ended normally
};

// Receives the job's statuses. Send() must not return before the status has
// been handled (message boxes included): the job relies on that ordering for
// readFailed/writeFailed and for holding its files open during an error box.
class StatusSink {
  public:
    virtual ~StatusSink() = default;
    virtual void Send(JobStatus code, int value) = 0;
};

struct JobState {
    // Set at start-up; cleared by a Start press, set by Stop, by closing the
    // window and by the job after a failure. The job reads it once per loop.
    std::atomic<bool> stopRequested{true};
    bool fileChosen = false;
    bool bitmapValid = false;
    bool waveValid = false;
    bool outputChosen = false;
    // 64-bit so recordings over 2 GiB get the right numbers.
    std::int64_t waveFileLength = 0;
    std::int64_t audioDataOffset = 0;
    std::int64_t audioByteCount = 0;
    // Copies taken at Start; the job never looks at the dialog's own paths.
    std::string jobWavePath;
    std::string jobOutputPath;
    // Written by the job before it sends JOB_IO_ERROR; read while handling it.
    std::atomic<bool> readFailed{false};
    std::atomic<bool> writeFailed{false};
    // Set instead of writeFailed when the output was not the job's to write
    // (see ClaimOutput): nothing was written to it.
    std::atomic<OutputRefusal> outputRefused{OutputRefusal::None};
};
static_assert(sizeof(std::atomic<bool>) == 1 && std::atomic<bool>::is_always_lock_free);

}  // namespace orvane
