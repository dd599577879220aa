// What the main window's decisions need from the toolkit. The dialog
// implements this with wx; tests implement it with fakes.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "encoder/creation_job.h"

namespace orvane {

enum class BoxIcon { Error, Information };

struct FileChoice {
    bool chosen = false;  // the user confirmed a file
    std::string path;     // empty unless chosen
};

class DialogEffects {
  public:
    virtual ~DialogEffects() = default;

    // Caption of the Start/Stop button, "&Start" or "&Stop", ampersand included.
    virtual std::string StartCaption() const = 0;
    virtual void SetStartCaption(const std::string& caption) = 0;
    // Kept disabled while a stopped job winds down.
    virtual void EnableStart(bool enable) = 0;

    // Modal box owned by the main window, caption "Orvane", one OK button.
    virtual void ShowBox(const std::string& text, BoxIcon icon) = 0;
    // Application-level box for a file that cannot be opened: captioned with
    // the program's name, warning icon.
    virtual void ShowOpenFailureBox(const std::string& text) = 0;

    virtual void SetProgress(int percent) = 0;
    // Adds a finished line to the log and scrolls so it is in view.
    virtual void AppendLogLine(const std::string& line) = 0;
    // Local wall-clock time, or nothing when it cannot be had.
    virtual std::optional<std::tm> LocalTime() = 0;

    // Free bytes for the output, 0 when the query fails.
    virtual std::uint64_t FreeBytes(const std::string& outputPath) = 0;

    // Starts the job on its own thread; false when no thread could be started.
    virtual bool StartJob(JobInputs inputs) = 0;
    // True while a job's thread has not ended.
    virtual bool JobRunning() const = 0;

    // File chooser. `title` and `filter` are ready to show; `extension` is
    // the default extension without a dot.
    virtual FileChoice ChooseFile(bool open, const std::string& title, const std::string& filter,
                                  const std::string& extension) = 0;
    // The save chooser's question before it replaces the existing `path`;
    // true to replace.
    virtual bool AskToReplace(const std::string& path) = 0;
    // Shows the three paths in their fields.
    virtual void ShowPaths() = 0;
    // Redraws the preview now.
    virtual void RedrawPreview() = 0;
};

}  // namespace orvane
