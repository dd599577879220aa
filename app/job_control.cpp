#include "app/job_control.h"

#include <cinttypes>
#include <cstdio>

#include "app/activity_log.h"
#include "encoder/creation_job.h"
#include "encoder/image_size.h"
#include "encoder/output_claim.h"
#include "input/output_rule.h"

namespace orvane {

namespace {

std::string ShortfallText(std::uint64_t shortfall) {
    char text[96];
    std::snprintf(text, sizeof text, "Not enough diskspace, %" PRIu64 " more bytes needed",
                  shortfall);
    return text;
}

}  // namespace

// The caption is the run state: a press that finds "&Start" is a start,
// anything else is a stop.
void JobControl::OnStartStop() {
    JobState& state = model_.jobState;
    if (effects_.StartCaption() != kStartCaption) {
        state.stopRequested = true;
        ReturnToStart();
        return;
    }
    if (effects_.JobRunning()) {
        // The button is disabled while an earlier job winds down; a press that
        // still gets here must not start a second job beside it.
        effects_.EnableStart(false);
        return;
    }
    state.stopRequested = false;
    effects_.SetStartCaption(kStopCaption);
    if (!FilesChosen() || !OutputAllowed()) return;
    state.audioByteCount = state.waveFileLength - state.audioDataOffset;
    if (!EnoughSpace()) return;
    StartJob();
}

bool JobControl::FilesChosen() {
    const JobState& state = model_.jobState;
    const char* missing = !state.bitmapValid    ? "No bitmap file selected"
                          : !state.waveValid    ? "No WAVE file selected"
                          : !state.outputChosen ? "No output file selected"
                                                : nullptr;
    if (missing == nullptr) return true;
    effects_.ShowBox(missing, BoxIcon::Error);
    effects_.SetStartCaption(kStartCaption);
    return false;
}

// The output rule, before anything is opened: creating the output empties
// it, so an output that is one of the inputs would destroy that input, and a
// device or folder is no place for an image. Replacing was asked about when
// the output was chosen.
bool JobControl::OutputAllowed() {
    const OutputVerdict verdict =
        CheckOutputs({model_.outputPath}, {model_.bitmapPath, model_.wavePath}, true);
    if (verdict.ok()) return true;
    effects_.ShowBox(verdict.refusal == OutputRefusal::IsAnInput
                         ? "Output file must differ from the bitmap and WAVE files"
                         : verdict.message,
                     BoxIcon::Error);
    AddLogLine(effects_, "Invalid output file selected");
    effects_.SetStartCaption(kStartCaption);
    return false;
}

bool JobControl::EnoughSpace() {
    const std::uint64_t needed = BytesNeeded(model_.jobState.audioByteCount);
    const std::uint64_t available = effects_.FreeBytes(model_.outputPath);
    if (needed <= available) return true;
    effects_.ShowBox(ShortfallText(needed - available), BoxIcon::Error);
    effects_.SetStartCaption(kStartCaption);
    AddLogLine(effects_, "Insufficient diskspace");
    return false;
}

void JobControl::StartJob() {
    JobState& state = model_.jobState;
    state.jobWavePath = model_.wavePath;
    state.jobOutputPath = model_.outputPath;
    AddLogLine(effects_, "Creating CD+G file...");
    if (effects_.StartJob(SnapshotInputs(state, model_.picture))) return;
    const char* failure = "Could not start the creation job";
    effects_.ShowBox(failure, BoxIcon::Error);
    AddLogLine(effects_, failure);
    effects_.SetStartCaption(kStartCaption);
}

// Every path that ends a run puts "&Start" back; while the job's thread is
// still winding down the button stays disabled, so two jobs never overlap.
void JobControl::ReturnToStart() {
    effects_.SetStartCaption(kStartCaption);
    if (effects_.JobRunning()) effects_.EnableStart(false);
}

void JobControl::OnJobStatus(unsigned code, int value) {
    const JobState& state = model_.jobState;
    switch (code) {
        case JOB_PROGRESS:
            effects_.SetProgress(value);
            break;
        case JOB_IO_ERROR:
            if (const OutputRefusal refused = state.outputRefused; refused != OutputRefusal::None) {
                const std::string text = ClaimRefusalText(refused, state.jobOutputPath);
                effects_.ShowBox(text, BoxIcon::Error);
                AddLogLine(effects_, text);
            }
            if (state.readFailed) {
                effects_.ShowBox("Error reading file", BoxIcon::Error);
                AddLogLine(effects_, "Error reading file");
            }
            if (state.writeFailed) {
                effects_.ShowBox("Error writing file", BoxIcon::Error);
                AddLogLine(effects_, "Error writing file");
            }
            ReturnToStart();
            break;
        case JOB_CANCELLED:
            AddLogLine(effects_, "Canceled by user");
            effects_.SetProgress(0);
            break;
        case JOB_COMPLETED:
            model_.lastImagePath = state.jobOutputPath;
            ReturnToStart();
            effects_.ShowBox("CD+G file successfully created!", BoxIcon::Information);
            AddLogLine(effects_, "Completed");
            effects_.SetProgress(0);
            break;
        default:
            break;
    }
}

void JobControl::OnJobThreadEnded() {
    effects_.EnableStart(true);
}

}  // namespace orvane
