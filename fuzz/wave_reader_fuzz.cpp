// Any file a user may pick as the recording. The header is all the reader
// looks at besides the length, so each input is checked twice: as it is, and
// grown (sparse) past the 20-second minimum, which reaches the accepted path
// without feeding the fuzzer megabytes.
#include <unistd.h>

#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "input/wave_reader.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

void CheckOne(const std::string& path, std::int64_t length) {
    using namespace orvane;
    WaveNumbers numbers{-1, -1};
    const WaveOutcome out = CheckWaveFile(path, numbers);
    Check(out.status != WaveStatus::OpenFailed);
    Check(numbers.fileLength == length);
    switch (out.status) {
        case WaveStatus::Accepted:
            // The tag lies within the first 99 bytes; the audio follows its size field.
            Check(numbers.audioDataOffset >= 8 && numbers.audioDataOffset <= 103);
            Check(length - numbers.audioDataOffset >= kMinimumAudioBytes);
            Check(out.boxText.empty());
            break;
        case WaveStatus::TooShort:
            Check(numbers.audioDataOffset >= 8 && numbers.audioDataOffset <= 103);
            Check(length - numbers.audioDataOffset < kMinimumAudioBytes);
            break;
        default:
            Check(numbers.audioDataOffset == -1);
            Check(out.logLine == "Invalid WAVE file selected");
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = orvane::fuzz::InputAsFile(data, size);
    CheckOne(path, static_cast<std::int64_t>(size));
    const std::int64_t grown = orvane::kMinimumAudioBytes + 200;
    if (static_cast<std::int64_t>(size) < grown && truncate(path.c_str(), grown) == 0)
        CheckOne(path, grown);
    return 0;
}
