// A conversion on a worker thread that the window polls: how far it is, what
// it is doing, and a way to stop it. No calls cross to the window's thread,
// so nothing can be left waiting when the window closes.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "app/import_converter.h"

namespace orvane {

class ImportTask : private ProgressSink {
  public:
    using Work = std::function<ImportOutcome(ProgressSink&)>;

    ImportTask() = default;
    ImportTask(const ImportTask&) = delete;
    ImportTask& operator=(const ImportTask&) = delete;
    ~ImportTask();  // stops and waits

    // False when no thread could be started.
    bool Start(Work work);
    void Stop() { stopped_ = true; }
    bool Stopping() const { return stopped_; }
    bool Finished() const { return finished_; }
    // 0..100; -1 until the work has said how much there is.
    int Percent() const { return percent_; }
    std::string Message() const;
    // Waits for the thread. A stopped task that did not finish is Stopped, the
    // decoder's words for being interrupted are not shown as a failure.
    ImportOutcome Wait();

  private:
    void SetMessage(const std::string& message) override;
    void SetProgress(std::uint64_t done, std::uint64_t total) override;
    void Log(const std::string&) override {}
    bool IsCancelled() const override { return stopped_; }

    std::thread thread_;
    std::atomic<bool> stopped_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> percent_{-1};
    mutable std::mutex mutex_;
    std::string message_;
    ImportOutcome outcome_;
};

}  // namespace orvane
