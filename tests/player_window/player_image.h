// Images for the player tests, made by the program's own creation job.
#pragma once

#include <string>

#include "support/fixtures.h"

namespace orvane::test {

struct PlayerImage {
    std::string path;
    Bytes audio;  // the image's audio, as the recording held it
};

// An image of `seconds` of the fixtures' recording and a random picture,
// written to `path`.
PlayerImage MakePlayerImage(const std::string& path, double seconds, std::uint32_t seed = 7);

// The audio driver SDL opens next: "disk" writes to `file` (`delayMs` per
// buffer, -1 for real-time pace), "dummy" plays nothing, anything else fails.
void UseAudioDriver(const std::string& driver, const std::string& file = {}, int delayMs = -1);

}  // namespace orvane::test
