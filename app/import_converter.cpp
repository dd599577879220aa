#include "app/import_converter.h"

#include "convert/av_support.h"
#include "convert/recording_convert.h"

namespace orvane {

namespace {

ImportOutcome FromConvert(const ConvertOutcome& outcome) {
    switch (outcome.status) {
        case ConvertStatus::Done:
            return ImportOutcome::Done();
        case ConvertStatus::Stopped:
            return {ImportOutcome::Status::Stopped, {}};
        default:
            return ImportOutcome::Failed(outcome.message);
    }
}

class DecodedPicture : public PictureSource {
  public:
    explicit DecodedPicture(SourcePicture source) : source_(std::move(source)) {}
    ImportOutcome Render(const PictureOptions& options, Picture& out) override {
        NullProgress progress;
        return FromConvert(ConvertPicture(source_, options, out, progress));
    }
    std::string Size() const override {
        return std::to_string(source_.width()) + " x " + std::to_string(source_.height()) +
               " pixels";
    }

  private:
    SourcePicture source_;
};

// Streams as the container declares them. Stream info is only searched for
// when the header declares none, since that decodes: a huge picture would be
// decoded whole before its size was checked.
MediaKind KindOfStreams(AVFormatContext* format) {
    if (format->nb_streams == 0 && avformat_find_stream_info(format, nullptr) < 0)
        return MediaKind::None;
    bool picture = false;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVMediaType type = format->streams[i]->codecpar->codec_type;
        if (type == AVMEDIA_TYPE_AUDIO) return MediaKind::Recording;
        if (type == AVMEDIA_TYPE_VIDEO) picture = true;
    }
    return picture ? MediaKind::Picture : MediaKind::None;
}

class LibraryConverter : public ImportConverter {
  public:
    // A song with cover art, or a video, has sound: it is a recording.
    MediaKind Probe(const std::string& path, std::string& reason) override {
        av::InputFile input;
        const int rc = input.Open(path);
        if (rc < 0) {
            reason = "Not a picture or a recording Orvane can read: " + input.Reason(rc);
            return MediaKind::None;
        }
        const MediaKind kind = KindOfStreams(input.format());
        if (kind == MediaKind::None)
            reason = "Not a picture or a recording Orvane can read: it holds neither";
        return kind;
    }

    std::unique_ptr<PictureSource> OpenPicture(const std::string& path, ProgressSink& progress,
                                               std::string& reason) override {
        SourcePicture source;
        const ConvertOutcome outcome = LoadPicture(path, source, progress);
        if (!outcome.ok()) {
            if (outcome.status != ConvertStatus::Stopped) reason = outcome.message;
            return nullptr;
        }
        return std::make_unique<DecodedPicture>(std::move(source));
    }

    // The chooser has asked before replacing a file.
    ImportOutcome WritePicture(const Picture& picture, const std::string& target,
                               const std::string& source) override {
        return FromConvert(orvane::WritePicture(picture, target, source, true));
    }

    ImportOutcome ConvertRecording(const std::string& source, const std::string& target,
                                   ProgressSink& progress) override {
        return FromConvert(PrepareRecording(source, target, {}, true, progress));
    }
};

}  // namespace

std::unique_ptr<ImportConverter> MakeImportConverter() {
    return std::make_unique<LibraryConverter>();
}

}  // namespace orvane
