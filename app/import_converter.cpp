#include "app/import_converter.h"

namespace orvane {

namespace {

// Until the conversion library is linked in: every import says so.
class MissingConverter : public ImportConverter {
  public:
    MediaKind Probe(const std::string&, std::string& reason) override {
        reason = kMissing;
        return MediaKind::None;
    }
    std::unique_ptr<PictureSource> OpenPicture(const std::string&, std::string& reason) override {
        reason = kMissing;
        return nullptr;
    }
    ImportOutcome WritePicture(const Picture&, const std::string&) override {
        return ImportOutcome::Failed(kMissing);
    }
    ImportOutcome ConvertRecording(const std::string&, const std::string&, ProgressSink&) override {
        return ImportOutcome::Failed(kMissing);
    }

  private:
    static constexpr const char* kMissing = "This build has no conversion library.";
};

}  // namespace

std::unique_ptr<ImportConverter> MakeImportConverter() {
    return std::make_unique<MissingConverter>();
}

}  // namespace orvane
