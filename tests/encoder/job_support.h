// What the job tests share: a sink that records, a scratch recording and
// output, and the checks of an image against the sector schedule.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "encoder/creation_job.h"
#include "support/fixtures.h"

namespace orvane::test {

using Message = std::pair<JobStatus, int>;
using Messages = std::vector<Message>;

class RecordingSink : public StatusSink {
  public:
    Messages messages;
    std::function<void(JobStatus, int)> onSend;  // runs inside the blocking send

    void Send(JobStatus code, int value) override {
        messages.emplace_back(code, value);
        if (onSend) onSend(code, value);
    }
};

// A recording of `audioBytes` in a scratch folder and a job set up to turn
// it into `output`.
struct JobRig {
    TempDir dir;
    std::string wave = dir.File("in.wav");
    std::string output = dir.File("out.cdg");
    Bytes wav;
    JobInputs inputs;
    JobState state;
    RecordingSink sink;

    explicit JobRig(std::size_t audioBytes, std::uint32_t pictureSeed = 7);
    // Clears stopRequested as a Start press does, then runs on this thread.
    void Run();
};

// JOB_PROGRESS messages of a run that is not stopped: one per iteration,
// an iteration being one sector, or both sectors of a tile.
Messages ExpectedProgress(std::int64_t sectorCount);

// `image` holds `sectors` whole sectors, each the recording's next audio
// followed by the block the schedule gives it.
void ExpectSectors(const Bytes& image, const JobRig& rig, std::int64_t sectors);

}  // namespace orvane::test
