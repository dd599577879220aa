// The player window's texts: its clock and its status line, in plain code.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// A position in sectors as "m:ss" (whole seconds, cut down; minutes run on
// past 59, as a disc's times do).
std::string ClockText(std::uint64_t sectors);
// "elapsed / total".
std::string PositionText(std::uint64_t sectors, std::uint64_t totalSectors);

// What the status line reports about the file being played.
struct PlayerNotes {
    bool cdgStream = false;  // a .cdg: the sound comes from a file beside it
    std::string audioName;   // that file's name ("" when there is none)
    std::string audioError;  // why it cannot be played ("" when it can)
    bool device = true;      // false: no audio device, the clock runs silently
    std::string deviceError;
    std::uint64_t ignoredBytes = 0;
    std::string readError;  // a read that failed while playing
    // 1 + the last sector that draws a tile (0: none does): when an image's
    // picture is complete.
    std::uint64_t pictureCompleteSectors = 0;
};

// The status line: what went wrong or is missing, then when the picture is
// complete (when the last tile is drawn); empty when there is nothing to say.
std::string StatusText(const PlayerNotes& notes);

// The box for a file that cannot be played at all.
std::string OpenFailureText(const std::string& path, const std::string& message);

}  // namespace orvane
