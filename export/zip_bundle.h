// A player bundle (MP3+G, WAV+G): the sound and the .cdg, same base name, in
// one zip written by libzip.
#pragma once

#include <string>
#include <vector>

#include "encoder/output_file.h"
#include "encoder/progress_sink.h"

namespace orvane {

struct ZipMember {
    std::string name;       // inside the archive
    std::string source;     // the finished file holding its bytes
    bool compress = false;  // deflate (the .cdg); sound is stored as it is
};

struct ZipOutcome {
    OutputError error;
    bool stopped = false;  // the sink asked to stop while libzip wrote
};

// Writes the archive at `path` (the bundle's temporary file, replaced whole by
// libzip's own temporary file when it closes) and flushes it to the disk.
ZipOutcome WriteZip(const std::string& path, const std::vector<ZipMember>& members,
                    ProgressSink& progress);

}  // namespace orvane
