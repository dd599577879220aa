// How a conversion of an everyday file ended, for both front ends.
#pragma once

#include <string>

namespace orvane {

enum class ConvertStatus {
    Done,
    Unreadable,      // the input could not be opened or read (the system's reason)
    NotSupported,    // not a picture / no sound, or a kind FFmpeg cannot decode
    Damaged,         // recognised but broken (the decoder's reason)
    TooLarge,        // a picture over 100 megapixels, refused before decoding
    OutputIsInput,   // the output names the input file
    OutputExists,    // the output exists and replacing was not asked for
    OutputNotAFile,  // the output is a folder, device, pipe or socket
    WriteFailed,     // the output could not be written (the system's reason)
    Stopped,         // the progress sink asked to stop; nothing written
};

struct ConvertOutcome {
    ConvertStatus status = ConvertStatus::Done;
    // A failure: one sentence for a box or stderr, with the library's or the
    // system's own reason. Done: the log line ("Picture converted: PATH").
    std::string message;
    bool ok() const { return status == ConvertStatus::Done; }
};

}  // namespace orvane
