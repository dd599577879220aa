#include "convert/recording_convert.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "convert/audio_decoder.h"
#include "convert/output_target.h"
#include "encoder/output_file.h"
#include "input/wave_reader.h"

namespace orvane {
namespace {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kFrameBytes = 4;
constexpr std::size_t kBlockFrames = 16384;
// Written audio is handed to the disk in pieces of this size while decoding
// goes on, so the flush before the rename has little left to wait for.
constexpr std::int64_t kWritebackBytes = 4 << 20;
constexpr std::int64_t kMinimumFrames = kMinimumAudioBytes / kFrameBytes;
// The RIFF size field counts 36 header bytes plus the audio in 32 bits.
constexpr std::int64_t kMaximumAudioBytes = 0xFFFFFFFFLL - 36;

void PutLE(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::array<std::uint8_t, kHeaderBytes> WaveHeader(std::uint32_t audioBytes) {
    std::array<std::uint8_t, kHeaderBytes> h{};
    std::memcpy(h.data(), "RIFF", 4);
    PutLE(h.data() + 4, 36 + audioBytes, 4);
    std::memcpy(h.data() + 8, "WAVEfmt ", 8);
    PutLE(h.data() + 16, 16, 4);  // fmt chunk size
    PutLE(h.data() + 20, 1, 2);   // PCM
    PutLE(h.data() + 22, AudioDecoder::kChannels, 2);
    PutLE(h.data() + 24, AudioDecoder::kRate, 4);
    PutLE(h.data() + 28, AudioDecoder::kRate * kFrameBytes, 4);  // bytes per second
    PutLE(h.data() + 32, kFrameBytes, 2);                        // block align
    PutLE(h.data() + 34, 16, 2);                                 // bits
    std::memcpy(h.data() + 36, "data", 4);
    PutLE(h.data() + 40, audioBytes, 4);
    return h;
}

RecordingOutcome Failed(ConvertStatus status, std::string message) {
    RecordingOutcome out;
    out.status = status;
    out.message = std::move(message);
    return out;
}

RecordingOutcome FromDecoder(const AudioError& error) {
    switch (error.status) {
        case AudioStatus::Stopped:
            return Failed(ConvertStatus::Stopped, "Stopped");
        case AudioStatus::OpenFailed:
            return Failed(ConvertStatus::Unreadable, "Cannot read the recording: " + error.message);
        case AudioStatus::NotAudio:
            return Failed(ConvertStatus::NotSupported,
                          "Not a recording Orvane can read: " + error.message);
        default:
            return Failed(ConvertStatus::Damaged, "The recording is damaged: " + error.message);
    }
}

std::string Duration(std::int64_t frames) {
    const std::int64_t seconds = (frames + AudioDecoder::kRate / 2) / AudioDecoder::kRate;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

// Starts the disk writes of each whole piece written so far; waits for none.
class Writeback {
  public:
    void After(const OutputFile& file, std::int64_t written) {
        for (; written - started_ >= kWritebackBytes; started_ += kWritebackBytes)
            sync_file_range(file.fd(), started_, kWritebackBytes, SYNC_FILE_RANGE_WRITE);
    }

  private:
    std::int64_t started_ = 0;
};

// Writes the header again with the sizes now known.
OutputError FinishHeader(const OutputFile& file, std::int64_t frames) {
    const auto header = WaveHeader(static_cast<std::uint32_t>(frames * kFrameBytes));
    if (pwrite(file.fd(), header.data(), header.size(), 0) != static_cast<ssize_t>(header.size()))
        return {true, std::strerror(errno)};
    return {};
}

}  // namespace

RecordingOutcome PrepareRecording(const std::string& input, const std::string& output,
                                  const RecordingOptions& options, bool replace,
                                  ProgressSink& progress) {
    if (ConvertOutcome check = CheckOutputTarget(input, output, replace); !check.ok())
        return Failed(check.status, check.message);
    progress.SetMessage("Converting the recording");
    AudioDecoder decoder;
    const AudioError opened = decoder.Open(input, [&progress] { return progress.IsCancelled(); });
    if (opened.status != AudioStatus::Ok) return FromDecoder(opened);
    const std::int64_t estimate = decoder.EstimatedFrames();

    OutputFile file;
    OutputError error = file.Create(output);
    if (!error) error = file.Write(WaveHeader(0).data(), kHeaderBytes);
    std::vector<std::int16_t> block(kBlockFrames * AudioDecoder::kChannels);
    std::int64_t frames = 0;
    Writeback writeback;
    while (!error) {
        const AudioDecoder::ReadResult got = decoder.Read(block.data(), kBlockFrames);
        if (got.frames == 0 && got.status != AudioStatus::End) return FromDecoder(decoder.error());
        if (got.frames == 0) break;
        frames += static_cast<std::int64_t>(got.frames);
        if (frames * static_cast<std::int64_t>(kFrameBytes) > kMaximumAudioBytes)
            return Failed(ConvertStatus::WriteFailed,
                          "The recording is too long for a WAVE file (over 6 hours)");
        error = file.Write(block.data(), got.frames * kFrameBytes);
        writeback.After(file, static_cast<std::int64_t>(kHeaderBytes) + frames * kFrameBytes);
        progress.SetProgress(static_cast<std::uint64_t>(frames),
                             static_cast<std::uint64_t>(std::max(estimate, frames)));
    }
    if (error) return Failed(ConvertStatus::WriteFailed, WriteFailure(output, error).message);
    if (frames == 0) return Failed(ConvertStatus::NotSupported, "No sound found in the file");
    progress.SetProgress(static_cast<std::uint64_t>(frames), static_cast<std::uint64_t>(frames));

    RecordingOutcome out;
    const std::int64_t decoded = frames;
    if (options.padToMinimum && frames < kMinimumFrames) {
        std::fill(block.begin(), block.end(), 0);
        while (!error && frames < kMinimumFrames) {
            const auto n = static_cast<std::size_t>(
                std::min<std::int64_t>(kBlockFrames, kMinimumFrames - frames));
            error = file.Write(block.data(), n * kFrameBytes);
            frames += static_cast<std::int64_t>(n);
        }
    }
    if (!error) error = FinishHeader(file, frames);
    if (progress.IsCancelled()) return Failed(ConvertStatus::Stopped, "Stopped");
    if (!error) error = file.Commit(replace);
    if (error) return Failed(ConvertStatus::WriteFailed, WriteFailure(output, error).message);
    out.frames = frames;
    out.shorterThanMinimum = frames < kMinimumFrames;
    out.message = "Recording converted: " + output + " (" + Duration(decoded) +
                  (frames > decoded ? ", silence added up to " + Duration(frames) : "") + ")";
    return out;
}

}  // namespace orvane
