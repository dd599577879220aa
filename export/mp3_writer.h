// CD audio to an MP3 file: LAME through libavcodec, muxed by libavformat,
// whose info tag records the encoder's delay and padding so players that
// honour it start the sound at the first sample, in step with the .cdg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "encoder/output_file.h"
#include "export/mp3_tags.h"

namespace orvane {

class Mp3Writer {
  public:
    Mp3Writer();
    ~Mp3Writer();
    Mp3Writer(const Mp3Writer&) = delete;
    Mp3Writer& operator=(const Mp3Writer&) = delete;

    // Sets up the encoder (44.1 kHz stereo, constant `bitrateKbps`) and
    // writes the stream's header, with `tags` in its ID3v2 tag, into `file`,
    // which must outlive the writer.
    OutputError Open(OutputFile& file, int bitrateKbps, const Mp3Tags& tags);
    // `pieces` runs of `frames` stereo frames (16-bit little-endian samples,
    // interleaved), run i at audio + i * stride.
    OutputError Write(const std::uint8_t* audio, std::size_t pieces, std::size_t frames,
                      std::size_t stride);
    // Encodes what is left, then writes the info tag at the stream's start.
    OutputError Finish();

  private:
    struct Av;
    OutputError EncodeFrames(bool all);
    OutputError Drain();
    OutputError Failure(const char* what, int code) const;
    std::unique_ptr<Av> av_;
};

}  // namespace orvane
