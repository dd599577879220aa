#include "app/import_task.h"

#include <system_error>

namespace orvane {

ImportTask::~ImportTask() {
    Stop();
    Wait();
}

bool ImportTask::Start(Work work) {
    try {
        thread_ = std::thread([this, work = std::move(work)] {
            outcome_ = work(*this);
            finished_ = true;
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

std::string ImportTask::Message() const {
    std::lock_guard lock(mutex_);
    return message_;
}

ImportOutcome ImportTask::Wait() {
    if (thread_.joinable()) thread_.join();
    if (stopped_ && outcome_.status == ImportOutcome::Status::Failed) outcome_ = {};
    if (stopped_ && !outcome_.ok()) outcome_.status = ImportOutcome::Status::Stopped;
    return outcome_;
}

void ImportTask::SetMessage(const std::string& message) {
    std::lock_guard lock(mutex_);
    message_ = message;
}

void ImportTask::SetProgress(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return;
    const std::uint64_t capped = done < total ? done : total;
    percent_ = static_cast<int>(capped * 100 / total);
}

}  // namespace orvane
