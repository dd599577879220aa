// "Import picture...", "Import recording..." and files dropped on the window:
// which chooser, dialog and box comes when, and where the converted file goes.
// Plain code over ImportEffects, so the order of things is tested with fakes.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/dialog_effects.h"
#include "app/import_converter.h"

namespace orvane {

struct ChooserRequest {
    bool open = true;
    std::string title;
    std::string filter;     // '|'-separated pairs, as ChooserFilter makes them
    std::string extension;  // added to a typed name that has none
    std::string startPath;  // save only: the folder and name the chooser starts on
};

class ImportEffects {
  public:
    virtual ~ImportEffects() = default;
    virtual FileChoice Choose(const ChooserRequest& request) = 0;
    virtual void ShowError(const std::string& text) = 0;
    virtual MediaKind Probe(const std::string& path, std::string& reason) = 0;
    // Shows the picture dialog on `source`. Its Save calls `save` with the
    // picture as shown, and the dialog closes when that returns true. False
    // with the reason when `source` is no picture that can be read, with no
    // reason when the user stopped its reading.
    virtual bool EditPicture(const std::string& source,
                             const std::function<bool(const Picture&)>& save,
                             std::string& reason) = 0;
    virtual ImportOutcome WritePicture(const Picture& picture, const std::string& target,
                                       const std::string& source) = 0;
    // Converts on a worker thread, showing progress with a way to stop.
    virtual ImportOutcome ConvertRecording(const std::string& source,
                                           const std::string& target) = 0;
    // The ordinary check, as if chosen with the browse button.
    virtual void TakeBitmap(const std::string& path) = 0;
    virtual void TakeWave(const std::string& path) = 0;
};

// Where a converted file goes unless the user says otherwise: beside the
// source, NAME.bmp or NAME.wav; NAME-converted.EXT when that is the source.
std::string DefaultImportTarget(const std::string& source, const std::string& extension);

class ImportFlow {
  public:
    explicit ImportFlow(ImportEffects& effects) : effects_(effects) {}

    void ImportPicture();
    void ImportRecording();
    void ImportPictureFrom(const std::string& source);
    void ImportRecordingFrom(const std::string& source);
    // Each file in turn: a BMP or WAVE the ordinary check takes goes to it,
    // any other picture or recording is imported.
    void TakeDropped(const std::vector<std::string>& paths);

  private:
    // The save chooser, asked again while it names the source; empty when
    // cancelled.
    std::string ChooseTarget(const std::string& source, bool picture);
    bool SavePicture(const std::string& source, const Picture& picture, std::string& saved);
    void ShowImportError(const std::string& path, const std::string& reason);

    ImportEffects& effects_;
};

}  // namespace orvane
