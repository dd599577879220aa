// "The screen at time t as a PNG": what `orvane-cli render` and the player
// window's snapshot share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "player/cdg_player.h"

namespace orvane {

enum class ExportStatus { Ok, Refused, InputFailed, WriteFailed };

struct ScreenExport {
    ExportStatus status = ExportStatus::Ok;
    std::string message;        // why it failed
    std::uint64_t sectors = 0;  // the screen after this many sectors
    std::uint64_t sectorCount = 0;
    std::uint64_t ignoredBytes = 0;
};

// Opens `input` (an image or a .cdg) and writes the whole 300 x 216 screen
// after floor(at x 75) sectors (cut at the end; no time: after the last
// packet) to `png`, replacing it. Refused before anything is opened where
// the output rule refuses `png` (it is the input, a folder, a device).
ScreenExport ExportScreen(const std::string& input, const std::string& png,
                          std::optional<double> atSeconds);

}  // namespace orvane
