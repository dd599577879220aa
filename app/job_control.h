// Start/Stop, the job's statuses and the activity log.
#pragma once

#include "app/dialog_effects.h"
#include "app/dialog_model.h"
#include "encoder/job_state.h"

namespace orvane {

inline constexpr const char* kStartCaption = "&Start";
inline constexpr const char* kStopCaption = "&Stop";

class JobControl {
  public:
    JobControl(DialogModel& model, DialogEffects& effects) : model_(model), effects_(effects) {}

    void OnStartStop();
    void OnJobStatus(unsigned code, int value);
    // The job's thread has ended: a Start refused during wind-down may go again.
    void OnJobThreadEnded();

  private:
    bool FilesChosen();
    bool OutputAllowed();
    bool EnoughSpace();
    void StartJob();
    void ReturnToStart();

    DialogModel& model_;
    DialogEffects& effects_;
};

}  // namespace orvane
