// How a long task (export, import) reports and learns it should stop. The
// window implements it on the UI thread's side; orvane-cli and the tests on
// the calling thread. Tasks call it from their own thread.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // What the task is doing now ("Encoding MP3").
    virtual void SetMessage(const std::string& message) = 0;
    // done out of total, in the task's own units; cheap, called often.
    virtual void SetProgress(std::uint64_t done, std::uint64_t total) = 0;
    // A line for the log ("Exported: PATH").
    virtual void Log(const std::string& line) = 0;
    // Polled often; true ends the task with its Stopped status.
    virtual bool IsCancelled() const = 0;
};

// For callers that want neither progress nor a way to stop.
class NullProgress : public ProgressSink {
  public:
    void SetMessage(const std::string&) override {}
    void SetProgress(std::uint64_t, std::uint64_t) override {}
    void Log(const std::string&) override {}
    bool IsCancelled() const override { return false; }
};

}  // namespace orvane
