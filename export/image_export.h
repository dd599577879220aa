// The export: from a raw image, in one pass over it, any of NAME.cdg,
// NAME.wav, NAME.mp3, the MP3+G and WAV+G bundles and cdrdao's toc. Both
// front ends call this, on a thread of their choosing.
#pragma once

#include "encoder/progress_sink.h"
#include "export/export_request.h"

namespace orvane {

// Sectors read at a time: the memory the pass needs, whatever the image's length.
inline constexpr std::size_t kExportChunkSectors = 512;

// Reports progress in sectors of the pass (then in thousandths while a bundle
// is written), polls IsCancelled between chunks and inside libzip, and logs
// "Exported: PATH" for each file put in place. Nothing is left under a
// target's name unless complete; on any failure or stop, no file the run
// had not yet renamed into place is left behind.
ExportResult RunExport(const ExportRequest& request, ProgressSink& progress);

}  // namespace orvane
