#include "player/screen_export.h"

#include <algorithm>

#include "input/output_rule.h"
#include "player/png_writer.h"
#include "player/screen_render.h"

namespace orvane {

ScreenExport ExportScreen(const std::string& input, const std::string& png,
                          std::optional<double> atSeconds) {
    ScreenExport result;
    if (const OutputVerdict verdict = CheckOutputs({png}, {input}, true); !verdict.ok()) {
        result.status = ExportStatus::Refused;
        result.message = verdict.message;
        return result;
    }
    CdgPlayer player;
    if (PlayerError e = player.Open(input)) {
        result.status = ExportStatus::InputFailed;
        result.message = e.message;
        return result;
    }
    result.sectorCount = player.sectorCount();
    result.ignoredBytes = player.ignoredBytes();
    result.sectors = atSeconds ? std::min(SectorsAtTime(*atSeconds), player.sectorCount())
                               : player.sectorCount();
    CdgScreen screen;
    if (PlayerError e = player.ScreenAfter(result.sectors, screen)) {
        result.status = ExportStatus::InputFailed;
        result.message = e.message;
        return result;
    }
    const RgbScreen rgb = RenderRgb(screen);
    if (PngError e = WritePng(png, rgb.data(), kCdgWidth, kCdgHeight)) {
        result.status = ExportStatus::WriteFailed;
        result.message = e.message;
    }
    return result;
}

}  // namespace orvane
