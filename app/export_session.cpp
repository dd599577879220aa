#include "app/export_session.h"

#include <system_error>

#include "export/image_export.h"

namespace orvane {

ExportSession::~ExportSession() {
    Stop();
    Wait();
}

bool ExportSession::Start(ExportRequest request) {
    if (running_.load()) return false;
    Wait();
    stop_.store(false);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = {};
    }
    running_.store(true);
    try {
        thread_ = std::thread([this, request = std::move(request)] {
            ExportResult result = RunExport(request, *this);
            std::lock_guard<std::mutex> lock(mutex_);
            pending_.result = std::move(result);
            running_.store(false);
        });
    } catch (const std::system_error&) {
        running_.store(false);
        return false;
    }
    return true;
}

ExportSnapshot ExportSession::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    ExportSnapshot taken = pending_;
    pending_.logLines.clear();
    pending_.result.reset();
    return taken;
}

void ExportSession::Wait() {
    if (thread_.joinable()) thread_.join();
}

void ExportSession::SetMessage(const std::string& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.message = message;
}

void ExportSession::SetProgress(std::uint64_t done, std::uint64_t total) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.done = done;
    pending_.total = total;
}

void ExportSession::Log(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.logLines.push_back(line);
}

}  // namespace orvane
