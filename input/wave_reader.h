// Reads and checks a recording: a RIFF WAVE file, 2 channels, 44,100 Hz,
// 16 bits, with the "data" tag in its first 99 bytes and at least 20 s of audio.
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

inline constexpr std::int64_t kMinimumAudioBytes = 3528000;  // 20 s

enum class WaveStatus {
    Accepted,
    BadFormat,    // not "RIFF", or channels, rate or bits wrong
    NoDataChunk,  // no "data" tag in the first 99 bytes
    TooShort,     // fewer than 20 s from the first audio byte to the end
    OpenFailed,   // the file could not be opened or read; numbers unchanged
};

// The two numbers a recording leaves behind. A file that opens and reads
// always replaces fileLength; audioDataOffset changes only when the tag is
// found (so a file refused as too short leaves both behind).
struct WaveNumbers {
    std::int64_t fileLength = 0;
    std::int64_t audioDataOffset = 0;
};

struct WaveOutcome {
    WaveStatus status = WaveStatus::OpenFailed;
    std::string boxText;  // empty when accepted
    std::string logLine;
};

WaveOutcome CheckWaveFile(const std::string& path, WaveNumbers& numbers);

}  // namespace orvane
