#include "export/export_streams.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "export/strided_write.h"
#include "export/toc_file.h"
#include "export/wave_header.h"
#include "export/zip_bundle.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// About 16 MB of image between two write-back starts.
constexpr std::size_t kWriteBackSectors = 6800;

// The bundle's base name with another extension: NAME.zip holds NAME.mp3.
std::string MemberName(const std::string& zip, const char* extension) {
    return fs::path(zip).stem().string() + extension;
}

// A scratch member lives beside its bundle, hidden, until the bundle is done.
std::string ScratchTarget(const std::string& zip, const char* extension) {
    return (fs::path(zip).parent_path() / MemberName(zip, extension)).string();
}

}  // namespace

ExportResult WriteFailure(const std::string& path, const std::string& reason) {
    ExportResult result;
    result.status = ExportStatus::WriteFailed;
    result.file = path;
    result.message = "Could not write " + path + ": " + reason;
    return result;
}

ExportStreams::ExportStreams(const ExportRequest& request, std::uint64_t sectors,
                             SectorLayout layout)
    : request_(request), sectors_(sectors), layout_(layout) {}

ExportStreams::~ExportStreams() = default;

std::unique_ptr<ExportStreams::Stream> ExportStreams::Open(const std::string& target,
                                                           const std::string& scratchFor,
                                                           const char* extension,
                                                           ExportResult& result) {
    if (result.status != ExportStatus::Completed) return nullptr;
    if (target.empty() && scratchFor.empty()) return nullptr;
    auto stream = std::make_unique<Stream>();
    stream->target = target;
    stream->shown = target.empty() ? scratchFor : target;
    const std::string name = target.empty() ? ScratchTarget(scratchFor, extension) : target;
    if (const OutputError e = stream->file.Create(name))
        result = WriteFailure(stream->shown, e.message);
    return stream;
}

ExportResult ExportStreams::Create() {
    const ExportTargets& t = request_.targets;
    const std::string& cdgBundle = t.mp3Zip.empty() ? t.wavZip : t.mp3Zip;
    ExportResult result;
    cdg_ = Open(t.cdg, cdgBundle, ".cdg", result);
    wav_ = Open(t.wav, t.wavZip, ".wav", result);
    mp3_ = Open(t.mp3, t.mp3Zip, ".mp3", result);
    mp3Zip_ = Open(t.mp3Zip, {}, "", result);
    wavZip_ = Open(t.wavZip, {}, "", result);
    toc_ = Open(t.toc, {}, "", result);
    if (result.status != ExportStatus::Completed) return result;
    if (wav_) {
        const auto header = WaveHeader(sectors_ * kSectorAudioBytes);
        if (const OutputError e = wav_->file.Write(header.data(), header.size()))
            return WriteFailure(wav_->shown, e.message);
    }
    if (mp3_) {
        const std::string name = t.mp3.empty() ? MemberName(t.mp3Zip, ".mp3") : t.mp3;
        const Mp3Tags tags = TagsFor(request_.title, request_.artist, name);
        if (const OutputError e = mp3Writer_.Open(mp3_->file, request_.bitrateKbps, tags))
            return WriteFailure(mp3_->shown, e.message);
    }
    return result;
}

ExportResult ExportStreams::Write(const std::uint8_t* sectors, std::size_t count) {
    if (cdg_) {
        const bool raw = layout_ == SectorLayout::RawImage;
        if (const OutputError e =
                WriteStrided(cdg_->file.fd(), sectors + (raw ? kSectorAudioBytes : 0), count,
                             SectorBytes(layout_), kSectorSubcodeBytes))
            return WriteFailure(cdg_->shown, e.message);
    }
    if (wav_) {
        if (const OutputError e =
                WriteStrided(wav_->file.fd(), sectors, count, kRawSectorBytes, kSectorAudioBytes))
            return WriteFailure(wav_->shown, e.message);
    }
    if (mp3_) {
        if (const OutputError e =
                mp3Writer_.Write(sectors, count, kSectorAudioBytes / 4, kRawSectorBytes))
            return WriteFailure(mp3_->shown, e.message);
    }
    // Every so often, let the disk catch up while the pass goes on.
    sectorsSinceWriteBack_ += count;
    if (sectorsSinceWriteBack_ >= kWriteBackSectors) {
        sectorsSinceWriteBack_ = 0;
        for (const Stream* s : {cdg_.get(), wav_.get()}) {
            if (s) StartWriteBack(s->file.fd());
        }
    }
    return {};
}

ExportResult ExportStreams::Bundle(const Stream& zip, const Stream& sound,
                                   const char* soundExtension, ProgressSink& progress) {
    progress.SetMessage("Writing " + zip.target);
    const std::vector<ZipMember> members = {
        {MemberName(zip.target, soundExtension), sound.file.tempPath(), false},
        {MemberName(zip.target, ".cdg"), cdg_->file.tempPath(), true},
    };
    const ZipOutcome outcome = WriteZip(zip.file.tempPath(), members, progress);
    if (outcome.stopped) {
        ExportResult result;
        result.status = ExportStatus::Stopped;
        result.message = "Export stopped; nothing was written";
        return result;
    }
    if (outcome.error) return WriteFailure(zip.target, outcome.error.message);
    return {};
}

ExportResult ExportStreams::Finish(ProgressSink& progress) {
    const ExportTargets& t = request_.targets;
    if (mp3_) {
        if (const OutputError e = mp3Writer_.Finish()) return WriteFailure(mp3_->shown, e.message);
    }
    if (toc_) {
        const std::string text = TocText(request_.image, t.toc, sectors_);
        if (const OutputError e = toc_->file.Write(text.data(), text.size()))
            return WriteFailure(t.toc, e.message);
    }
    if (mp3Zip_) {
        if (ExportResult r = Bundle(*mp3Zip_, *mp3_, ".mp3", progress);
            r.status != ExportStatus::Completed)
            return r;
    }
    if (wavZip_) {
        if (ExportResult r = Bundle(*wavZip_, *wav_, ".wav", progress);
            r.status != ExportStatus::Completed)
            return r;
    }
    return {};
}

ExportResult ExportStreams::Commit(ProgressSink& progress) {
    ExportResult result;
    for (Stream* s :
         {cdg_.get(), wav_.get(), mp3_.get(), mp3Zip_.get(), wavZip_.get(), toc_.get()}) {
        if (s == nullptr || s->target.empty()) continue;
        if (const OutputError e = s->file.Commit(request_.replace)) {
            ExportResult failure = WriteFailure(s->target, e.message);
            failure.written = result.written;
            return failure;
        }
        result.written.push_back(s->target);
        progress.Log("Exported: " + s->target);
    }
    return result;
}

}  // namespace orvane
