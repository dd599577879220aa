#include "export/image_export.h"

#include <memory>

#include "export/export_streams.h"
#include "export/wave_header.h"
#include "input/sector_file.h"
#include "player/layout_probe.h"

namespace orvane {
namespace {

std::string Thousands(std::uint64_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

bool WantsWave(const ExportTargets& t) {
    return !t.wav.empty() || !t.wavZip.empty();
}

bool OnlyCdg(const ExportTargets& t) {
    return t.All() == std::vector<std::string>{t.cdg};
}

ExportResult Stopped() {
    return Outcome(ExportStatus::Stopped, "Export stopped; nothing was written");
}

ExportResult Pass(SectorFile& image, const ExportRequest& request, ExportStreams& streams,
                  ProgressSink& progress) {
    const std::uint64_t total = image.sectorCount();
    auto buffer = std::make_unique<std::uint8_t[]>(kExportChunkSectors * kRawSectorBytes);
    progress.SetMessage("Exporting " + request.image);
    progress.SetProgress(0, total);
    for (std::uint64_t done = 0; done < total;) {
        if (progress.IsCancelled()) return Stopped();
        std::size_t read = 0;
        if (const SectorFileError e = image.Read(done, kExportChunkSectors, buffer.get(), read);
            e || read == 0) {
            return Outcome(ExportStatus::ReadFailed,
                           "Could not read " + request.image + ": " +
                               (e ? e.message : std::string("The file got shorter")),
                           request.image);
        }
        if (ExportResult r = streams.Write(buffer.get(), read); r.status != ExportStatus::Completed)
            return r;
        done += read;
        progress.SetProgress(done, total);
    }
    return {};
}

}  // namespace

ExportResult RunExport(const ExportRequest& request, ProgressSink& progress) {
    if (ExportResult refused = CheckRequest(request); refused.status != ExportStatus::Completed)
        return refused;
    // What render and check would take the file for: a .cdg has no sound,
    // and anything without graphics is no image at all.
    const LayoutProbe probe = ProbeLayout(request.image);
    if (const std::string why = probe.message(); !why.empty())
        return Outcome(ExportStatus::ImageUnreadable, "Cannot export " + request.image + ": " + why,
                       request.image);
    if (probe.layout == SectorLayout::CdgStream && !OnlyCdg(request.targets))
        return Outcome(ExportStatus::NoSound,
                       request.image +
                           " is a .cdg stream, which holds no sound: only a .cdg "
                           "can be exported from it",
                       request.image);
    SectorFile image;
    if (const SectorFileError e = image.Open(request.image, probe.layout)) {
        return Outcome(ExportStatus::ImageUnreadable,
                       "Cannot export " + request.image + ": " + e.message, request.image);
    }
    const std::uint64_t audioBytes = image.sectorCount() * kSectorAudioBytes;
    if (WantsWave(request.targets) && audioBytes > kMaxWaveAudioBytes) {
        return Outcome(ExportStatus::TooLongForWave,
                       "The image holds " + Thousands(audioBytes) +
                           " bytes of audio; a WAVE file holds at most " +
                           Thousands(kMaxWaveAudioBytes) + " (4 GiB). Export an MP3 instead.",
                       request.image);
    }
    if (image.ignoredBytes() > 0) {
        progress.Log("The last " + Thousands(image.ignoredBytes()) + " bytes of " + request.image +
                     " are not a whole sector and were ignored");
    }

    ExportStreams streams(request, image.sectorCount(), probe.layout);
    ExportResult result = streams.Create();
    if (result.status == ExportStatus::Completed) result = Pass(image, request, streams, progress);
    if (result.status == ExportStatus::Completed && progress.IsCancelled()) result = Stopped();
    if (result.status == ExportStatus::Completed) result = streams.Finish(progress);
    if (result.status == ExportStatus::Completed && progress.IsCancelled()) result = Stopped();
    if (result.status == ExportStatus::Completed) result = streams.Commit(progress);
    if (result.status == ExportStatus::Completed) {
        result.message = "Exported " + std::to_string(result.written.size()) + " file(s)";
    }
    result.ignoredBytes = image.ignoredBytes();
    return result;
}

}  // namespace orvane
