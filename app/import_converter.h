// What the window's imports need from the conversion library, as the window
// sees it: a picture decoded once and rendered as often as its options change,
// a recording converted with progress, and which of the two a file is. The
// real one calls convert/; tests put fakes in its place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "convert/picture_convert.h"
#include "encoder/picture.h"
#include "encoder/progress_sink.h"

namespace orvane {

struct ImportOutcome {
    enum class Status { Done, Stopped, Failed };
    Status status = Status::Failed;
    std::string reason;  // for Failed: a sentence with the decoder's or the system's words
    static ImportOutcome Done() { return {Status::Done, {}}; }
    static ImportOutcome Failed(std::string why) { return {Status::Failed, std::move(why)}; }
    bool ok() const { return status == Status::Done; }
};

enum class MediaKind { Picture, Recording, None };

// A decoded picture, ready to be fitted to 288 x 192 and reduced to 16 colours.
class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // Fills `out` as the picture reader leaves a loaded BMP (header, palette,
    // pixels, preview description).
    virtual ImportOutcome Render(const PictureOptions& options, Picture& out) = 0;
    // Its size as the file states it, for the dialog ("800 x 600 pixels").
    virtual std::string Size() const { return {}; }
};

class ImportConverter {
  public:
    virtual ~ImportConverter() = default;
    // Which import a file needs, from its contents; None with the reason.
    virtual MediaKind Probe(const std::string& path, std::string& reason) = 0;
    // Null with the reason when the file is no picture Orvane can read, null
    // with no reason when `progress` stopped it. May run on a worker thread.
    virtual std::unique_ptr<PictureSource> OpenPicture(const std::string& path,
                                                       ProgressSink& progress,
                                                       std::string& reason) = 0;
    // Writes the 16-colour BMP, complete or not at all; replaces `target`
    // unless it is `source`.
    virtual ImportOutcome WritePicture(const Picture& picture, const std::string& target,
                                       const std::string& source) = 0;
    // Converts to a 44.1 kHz 16-bit stereo WAVE; nothing is left at `target`
    // unless it succeeds. Runs on a worker thread; `progress` may stop it.
    virtual ImportOutcome ConvertRecording(const std::string& source, const std::string& target,
                                           ProgressSink& progress) = 0;
};

// The conversion library's own.
std::unique_ptr<ImportConverter> MakeImportConverter();

}  // namespace orvane
