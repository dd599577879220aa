#include "app/activity_log.h"

namespace orvane {

std::optional<std::tm> CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) return {};
    return local;
}

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
