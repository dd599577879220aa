// The files one pass over an image writes: each target asked for, plus
// unnamed scratch files for a bundle's members that were not asked for on
// their own. Every one stays under its temporary name until Commit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "encoder/output_file.h"
#include "encoder/progress_sink.h"
#include "export/export_request.h"
#include "export/mp3_writer.h"
#include "input/sector_file.h"

namespace orvane {

class ExportStreams {
  public:
    // `layout`: a raw image gives every target, a .cdg stream its .cdg only.
    ExportStreams(const ExportRequest& request, std::uint64_t sectors,
                  SectorLayout layout = SectorLayout::RawImage);
    ~ExportStreams();

    // Creates every temporary file and opens the encoder, before the pass,
    // so a folder that cannot be written fails before the image is read.
    ExportResult Create();
    // `count` sectors of the image, in order.
    ExportResult Write(const std::uint8_t* sectors, std::size_t count);
    // Ends the MP3, writes the toc and the bundles.
    ExportResult Finish(ProgressSink& progress);
    // Renames every target into place and logs "Exported: PATH" for each.
    ExportResult Commit(ProgressSink& progress);

  private:
    struct Stream {
        OutputFile file;
        std::string target;  // empty for a scratch member
        std::string shown;   // named in a failure: the target, or a member's bundle
    };
    std::unique_ptr<Stream> Open(const std::string& target, const std::string& scratchFor,
                                 const char* extension, ExportResult& result);
    ExportResult Bundle(const Stream& zip, const Stream& sound, const char* soundExtension,
                        ProgressSink& progress);

    const ExportRequest& request_;
    const std::uint64_t sectors_;
    const SectorLayout layout_;
    std::unique_ptr<Stream> cdg_, wav_, mp3_, mp3Zip_, wavZip_, toc_;
    Mp3Writer mp3Writer_;
    std::size_t sectorsSinceWriteBack_ = 0;
};

// "Could not write PATH: REASON", as a WriteFailed result.
ExportResult WriteFailure(const std::string& path, const std::string& reason);

}  // namespace orvane
