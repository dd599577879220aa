// Any song (MP3, AAC/M4A, FLAC, Ogg Vorbis, Opus, WAVE of any rate, depth and
// channel count, or a video's sound) written as the recording Orvane takes:
// a WAVE of 44,100 Hz, 16 bits, 2 channels with a 44-byte header.
#pragma once

#include <cstdint>
#include <string>

#include "convert/convert_outcome.h"
#include "encoder/progress_sink.h"

namespace orvane {

struct RecordingOptions {
    // A song shorter than 20 s is written as it is (and then refused by the
    // ordinary check) unless this asks for silence after it up to 20 s.
    bool padToMinimum = false;
};

struct RecordingOutcome : ConvertOutcome {
    std::int64_t frames = 0;          // stereo frames written, padding included
    bool shorterThanMinimum = false;  // written, but under 20 s
};

// Progress is reported in frames out of the container's estimate; stop
// requests end any read at once, and nothing is left behind.
RecordingOutcome PrepareRecording(const std::string& input, const std::string& output,
                                  const RecordingOptions& options, bool replace,
                                  ProgressSink& progress);

}  // namespace orvane
