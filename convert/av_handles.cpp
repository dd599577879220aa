#include "convert/av_handles.h"

#include <cstdarg>
#include <mutex>

namespace orvane::av {
namespace {

constexpr std::size_t kKeptLines = 8;
thread_local std::vector<std::string> logLines;

void KeepLogLine(void* avcl, int level, const char* fmt, va_list args) {
    if (level > AV_LOG_ERROR) return;
    char line[512];
    int printPrefix = 0;
    av_log_format_line2(avcl, level, fmt, args, line, sizeof line, &printPrefix);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    // The "[mp3 @ 0x...] " prefix names an address, which tells a user nothing.
    if (const auto end = text.find("] "); text.rfind('[', 0) == 0 && end != std::string::npos)
        text.erase(0, end + 2);
    if (text.empty()) return;
    if (logLines.size() == kKeptLines) logLines.erase(logLines.begin());
    logLines.push_back(std::move(text));
}

}  // namespace

void CaptureLibraryLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_callback(KeepLogLine); });
}

std::vector<std::string> TakeLogLines() {
    std::vector<std::string> lines;
    lines.swap(logLines);
    return lines;
}

std::string Reason(int code, const std::vector<std::string>& lines) {
    const std::string text = ErrorText(code);
    if (lines.empty() || code == AVERROR_EXIT) return text;
    return lines.back() == text ? text : lines.back() + " (" + text + ")";
}

std::string Reason(int code) {
    return Reason(code, TakeLogLines());
}

}  // namespace orvane::av
