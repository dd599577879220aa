// What the export tests share: an image made by the creation job, a sink
// that records, and the real tools' output.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "encoder/job_support.h"  // IWYU pragma: export
#include "encoder/progress_sink.h"
#include "export/image_export.h"

namespace orvane::test {

class RecordingProgress : public ProgressSink {
  public:
    std::vector<std::string> messages, logs;
    bool stop = false;
    std::function<bool()> cancel;  // asked by IsCancelled when stop is not set
    std::function<void(std::uint64_t, std::uint64_t)> onProgress;

    void SetMessage(const std::string& m) override { messages.push_back(m); }
    void SetProgress(std::uint64_t done, std::uint64_t total) override {
        if (onProgress) onProgress(done, total);
    }
    void Log(const std::string& line) override { logs.push_back(line); }
    bool IsCancelled() const override { return stop || (cancel && cancel()); }
};

// An image of `sectors` sectors from the creation job (picture and all),
// plus `tailBytes` that are not a whole sector.
struct ImageRig : JobRig {
    std::string image;
    std::size_t sectors;
    ImageRig(std::size_t sectors, std::size_t tailBytes = 0);
    ExportRequest Request(ExportTargets targets) const;
};

// Sixteen memory presets in the subcode of the first four sectors of a raw
// image, as an image starts: graphics enough to be taken for one.
void AddPresets(Bytes& image);

// `path` as one word for the shell.
std::string Quote(const std::string& path);
// The audio of a raw image: each whole sector's first 2,352 bytes.
Bytes AudioOf(const Bytes& image);
// What `cdrdao show-data --swap` prints for `audio` at the disc's start: each
// stereo sample as a WAVE holds it.
std::string SamplesAsCdrdaoPrintsThem(const Bytes& audio);

// Runs a shell command; its standard output, and its exit status in `status`.
std::string Capture(const std::string& command, int* status = nullptr);
// The names in a folder, hidden ones included, sorted.
std::vector<std::string> Listing(const std::string& dir);

}  // namespace orvane::test
