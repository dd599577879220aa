// One export on a thread of its own. The window polls it from a timer: the
// worker never waits on the window, so closing the window cannot strand it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "encoder/progress_sink.h"
#include "export/export_request.h"

namespace orvane {

struct ExportSnapshot {
    std::uint64_t done = 0;
    std::uint64_t total = 0;
    std::string message;
    std::vector<std::string> logLines;   // new since the last Take
    std::optional<ExportResult> result;  // set once, when the run has ended
};

class ExportSession : private ProgressSink {
  public:
    ExportSession() = default;
    ~ExportSession() override;  // stops a run and waits for it
    ExportSession(const ExportSession&) = delete;
    ExportSession& operator=(const ExportSession&) = delete;

    // False while a run is going or when no thread could be started.
    bool Start(ExportRequest request);
    void Stop() { stop_.store(true); }
    bool Running() const { return running_.load(); }
    // What happened since the last call.
    ExportSnapshot Take();
    void Wait();

  private:
    void SetMessage(const std::string& message) override;
    void SetProgress(std::uint64_t done, std::uint64_t total) override;
    void Log(const std::string& line) override;
    bool IsCancelled() const override { return stop_.load(); }

    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::mutex mutex_;
    ExportSnapshot pending_;
};

}  // namespace orvane
