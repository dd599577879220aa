#include "cli/cli_console.h"

#include <cstdio>
#include <ostream>

#include "app/activity_log.h"
#include "encoder/output_claim.h"

namespace orvane {
namespace {

std::string PlainLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

}  // namespace

std::string CliConsole::Prefix() const {
    const std::optional<std::tm> now = localTime_ ? localTime_() : std::nullopt;
    return now ? LogPrefix(*now) : std::string();
}

void CliConsole::Line(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    // The progress line has no line break of its own; close it first.
    if (progressOpen_) err_ << '\n';
    progressOpen_ = false;
    err_ << Prefix() << text << '\n';
    err_.flush();
}

void CliConsole::Info(const std::string& text) {
    if (!quiet_) Line(text);
}

void CliConsole::Error(const std::string& text) {
    Line(PlainLineBreaks(text));
}

void CliConsole::Progress(int percent) {
    if (!terminal_ || quiet_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    char number[16];
    std::snprintf(number, sizeof number, "%3d%%", percent);
    err_ << '\r' << Prefix() << "Progress: " << number;
    err_.flush();
    progressOpen_ = true;
}

void CliStatusSink::Send(JobStatus code, int value) {
    switch (code) {
        case JOB_PROGRESS:
            console_.Progress(value);
            break;
        case JOB_IO_ERROR:
            ioError_ = true;
            if (const OutputRefusal refused = state_.outputRefused.load(std::memory_order_acquire);
                refused != OutputRefusal::None) {
                console_.Error(ClaimRefusalText(refused, state_.jobOutputPath));
            }
            if (state_.readFailed.load(std::memory_order_acquire)) {
                console_.Error("Error reading file");
            }
            if (state_.writeFailed.load(std::memory_order_acquire)) {
                console_.Error("Error writing file");
            }
            break;
        case JOB_CANCELLED:
            console_.Error("Canceled by user");
            break;
        case JOB_COMPLETED:
            completed_ = true;
            console_.Info("Completed");
            break;
    }
}

}  // namespace orvane
