// Any bytes as a song: probing, every audio demuxer and decoder FFmpeg has,
// and the resampler, read as the recording conversion reads it.
#include <vector>

#include "convert/audio_decoder.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvane::AudioDecoder decoder;
    if (decoder.Open(orvane::fuzz::InputAsFile(data, size)).status != orvane::AudioStatus::Ok)
        return 0;
    // Up to a minute of output: a tiny file can claim hours of silence.
    std::vector<std::int16_t> block(4096 * 2);
    for (int i = 0; i < 650 && decoder.Read(block.data(), 4096).frames > 0; ++i) {
    }
    return 0;
}
