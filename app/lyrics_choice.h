// The main window's lyrics: "Add lyrics...", a lyrics file dropped on the
// window, the lyrics the Lyrics window hands over, and "Remove lyrics". Plain
// code over the window's effects, so the order of boxes and log lines is
// tested without a display.
#pragma once

#include <functional>
#include <string>

#include "app/dialog_effects.h"
#include "app/dialog_model.h"
#include "encoder/creation_job.h"
#include "lyrics/lyrics_model.h"

namespace orvane {

inline constexpr const char* kLyricsChooserTitle = "Add lyrics";
inline constexpr const char* kLyricsChooserFilter =
    "Lyrics files (*.lrc;*.ass;*.ssa;*.txt)|*.lrc;*.ass;*.ssa;*.txt|All Files (*.*)|*.*";

// The question asked of a text without times.
std::string TimeLyricsQuestion(const std::string& path);
// True for the files a drop hands to the lyrics rather than to the imports:
// .lrc, .ass, .ssa and .txt, by name (text has no signature to sniff).
bool IsLyricsFileName(const std::string& path);

// What the lyrics need of the window besides DialogEffects.
class LyricsEffects {
  public:
    virtual ~LyricsEffects() = default;
    // A Yes/No box; true for Yes.
    virtual bool Ask(const std::string& question) = 0;
    // Opens the Lyrics window on `path` to time it.
    virtual void OpenTimingWindow(const std::string& path) = 0;
};

class LyricsChoice {
  public:
    LyricsChoice(DialogModel& model, DialogEffects& effects, LyricsEffects& lyricsEffects)
        : model_(model), effects_(effects), lyricsEffects_(lyricsEffects) {}

    void OnAddLyrics();
    // A file named another way (chosen, dropped): timed lyrics are loaded;
    // a text without times offers the Lyrics window; anything else gets a
    // box with the line and the reason, and the lyrics loaded stay.
    void TakeLyricsFile(const std::string& path);
    // Lyrics timed in the Lyrics window ("Use for the image"), named by the
    // file they were opened from or saved to.
    void TakeLyrics(const Lyrics& lyrics, const std::string& path);
    void OnRemoveLyrics();
    // With lyrics loaded, makes their track over the run's picture for the
    // recording's length into inputs.lyrics, logging the layout's notes and
    // the lateness line. False, with a box and a log line, when the lyrics
    // cannot be laid out. Without lyrics: nothing, true.
    bool PrepareTrack(JobInputs& inputs);

  private:
    DialogModel& model_;
    DialogEffects& effects_;
    LyricsEffects& lyricsEffects_;
};

}  // namespace orvane
