#include "player_image.h"

#include <cstdlib>

#include "encoder/creation_job.h"

namespace orvane::test {

namespace {

class QuietSink : public StatusSink {
  public:
    void Send(JobStatus, int) override {}
};

}  // namespace

PlayerImage MakePlayerImage(const std::string& path, double seconds, std::uint32_t seed) {
    const auto audioBytes = static_cast<std::size_t>(seconds * 44100) * 4;
    const std::string wave = path + ".wav";
    const Bytes wav = MakeWav(audioBytes);
    WriteFile(wave, wav);
    JobInputs inputs;
    inputs.picture = RandomPicture(seed);
    inputs.wavePath = wave;
    inputs.outputPath = path;
    inputs.audioDataOffset = static_cast<std::int64_t>(WavHeaderBytes());
    inputs.audioByteCount = static_cast<std::int64_t>(audioBytes);
    JobState state;
    state.stopRequested = false;
    QuietSink sink;
    CreationJob(inputs, state, sink);
    std::remove(wave.c_str());
    return {path, Bytes(wav.begin() + static_cast<std::ptrdiff_t>(WavHeaderBytes()), wav.end())};
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
