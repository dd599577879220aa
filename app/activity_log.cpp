#include "app/activity_log.h"

namespace orvane {

std::string LogPrefix(const std::tm& time) {
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "[%H:%M:%S]   ", &time);
    return std::string(buffer, n);
}

void AddLogLine(DialogEffects& effects, const std::string& text) {
    const auto now = effects.LocalTime();
    effects.AppendLogLine(now ? LogPrefix(*now) + text : text);
}

}  // namespace orvane
