// What an export is asked to write and what came of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// Each path names a file to write; an empty path: not wanted.
struct ExportTargets {
    std::string cdg;     // the 96 subcode bytes of every sector
    std::string wav;     // the audio under a 44-byte RIFF header
    std::string mp3;     // the audio encoded with LAME
    std::string mp3Zip;  // MP3+G: NAME.mp3 and NAME.cdg
    std::string wavZip;  // WAV+G: NAME.wav and NAME.cdg
    std::string toc;     // cdrdao's table of contents naming the image

    // In the order they are written and reported.
    std::vector<std::string> All() const;
};

struct ExportRequest {
    std::string image;
    ExportTargets targets;
    int bitrateKbps = 192;
    bool replace = false;  // existing targets are replaced only when set
    // The MP3's tags; empty: taken from its file name (see Mp3Tags).
    std::string title;
    std::string artist;
};

enum class ExportStatus {
    Completed,
    NoTarget,         // nothing asked for
    BadBitrate,       // not one an MPEG-1 Layer III stream can have
    TargetIsImage,    // file: the target
    TargetTwice,      // file: the target named twice
    TargetExists,     // file: the target; replace not set
    TargetNotAFile,   // file: the target, a folder or device that nothing may replace
    TooLongForWave,   // over 4 GiB of audio asked for as a WAVE
    ImageUnreadable,  // cannot be opened, empty, or no CD+G graphics in it (the probe's message)
    NoSound,          // a .cdg stream asked for more than its .cdg
    ReadFailed,       // during the pass
    WriteFailed,      // file: the one that failed
    Stopped,
};

struct ExportResult {
    ExportStatus status = ExportStatus::Completed;
    std::string message;  // a whole sentence, ready to show
    std::string file;     // the file it is about, where there is one
    std::vector<std::string> written;
    std::uint64_t ignoredBytes = 0;  // the image's tail after its last whole sector
};

// A result with only its status, message and file set.
ExportResult Outcome(ExportStatus status, std::string message, std::string file = {});

// A refusal wrote nothing and read nothing but the image's size.
bool IsRefusal(ExportStatus status);

// The MP3 bit rates (kbit/s) an MPEG-1 Layer III stream at 44.1 kHz can have.
const std::vector<int>& Mp3Bitrates();

// Checks everything that can be checked before the first byte is written:
// a bit rate, at least one target, and the output rule (CheckOutputs) over
// the targets with the image as the input. Only asks the file system about
// names.
ExportResult CheckRequest(const ExportRequest& request);

// NAME.cdg and NAME.mp3 beside the image: what the command line writes
// when no target is named. Where one of them is the image itself (an image
// named NAME.cdg), the MP3+G bundle NAME.zip carries it instead, so the
// image is never touched.
ExportTargets DefaultTargets(const std::string& image);

// The targets of `request` that exist already (for a front end to ask about).
std::vector<std::string> ExistingTargets(const ExportTargets& targets);

}  // namespace orvane
