// What orvane-cli prints while it runs: time-stamped log lines, the in-place
// progress line, and the sink through which the creation job reports.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>

#include "encoder/job_state.h"
#include "input/sector_file.h"

namespace orvane {

class CliConsole {
  public:
    using Clock = std::function<std::optional<std::tm>()>;

    CliConsole(std::ostream& err, bool terminal, bool quiet, Clock localTime)
        : err_(err), terminal_(terminal), quiet_(quiet), localTime_(std::move(localTime)) {}

    // A success or progress line: left out under --quiet.
    void Info(const std::string& text);
    // A refusal or failure: always printed. A "\r\n" in a message box text
    // becomes a plain line break here.
    void Error(const std::string& text);
    // Redraws the progress line in place, on a terminal only and only when the
    // percentage has changed.
    void Progress(int percent);

  private:
    void Line(const std::string& text);
    std::string Prefix() const;

    std::mutex mutex_;
    std::ostream& err_;
    const bool terminal_;
    const bool quiet_;
    const Clock localTime_;
    int shownPercent_ = -1;
    bool progressOpen_ = false;
};

// IgnoredTailLine, for the commands that read an image or a .cdg, comes
// with input/sector_file.h.

// Turns the job's statuses into console lines. Send() prints under the
// console's lock and returns, which is all the handling a status needs here.
class CliStatusSink : public StatusSink {
  public:
    CliStatusSink(CliConsole& console, const JobState& state) : console_(console), state_(state) {}

    void Send(JobStatus code, int value) override;

    // Read after the job's thread has been joined.
    bool ioError() const { return ioError_; }
    // Neither of the two: the run was stopped.
    bool completed() const { return completed_; }

  private:
    CliConsole& console_;
    const JobState& state_;
    bool ioError_ = false;
    bool completed_ = false;
};

}  // namespace orvane
