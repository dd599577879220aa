#include "player_image.h"

#include <cstdlib>
#include <filesystem>

#include "encoder/job_support.h"

namespace orvane::test {

PlayerImage MakePlayerImage(const std::string& path, double seconds, std::uint32_t seed) {
    JobRig rig(static_cast<std::size_t>(seconds * 44100) * 4, seed);
    rig.Run();
    std::filesystem::copy_file(rig.output, path);
    const auto header = static_cast<std::ptrdiff_t>(WavHeaderBytes());
    return {path, Bytes(rig.wav.begin() + header, rig.wav.end())};
}

void UseAudioDriver(const std::string& driver, const std::string& file, int delayMs) {
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    if (delayMs < 0)
        unsetenv("SDL_DISKAUDIODELAY");
    else
        setenv("SDL_DISKAUDIODELAY", std::to_string(delayMs).c_str(), 1);
}

}  // namespace orvane::test
