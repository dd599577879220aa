// The imports as the main window runs them: ImportEffects done with wx, the
// conversion library behind it.
#pragma once

#include <functional>
#include <memory>

#include "app/file_selection.h"
#include "app/import_flow.h"

class wxWindow;

namespace orvane {

class WindowImportEffects : public ImportEffects {
  public:
    WindowImportEffects(wxWindow* owner, FileSelection& selection, ImportConverter& converter)
        : owner_(owner), selection_(selection), converter_(converter) {}

    FileChoice Choose(const ChooserRequest& request) override;
    void ShowError(const std::string& text) override;
    MediaKind Probe(const std::string& path, std::string& reason) override;
    bool EditPicture(const std::string& source, const std::function<bool(const Picture&)>& save,
                     std::string& reason) override;
    ImportOutcome WritePicture(const Picture& picture, const std::string& target,
                               const std::string& source) override;
    ImportOutcome ConvertRecording(const std::string& source, const std::string& target) override;
    void TakeBitmap(const std::string& path) override { selection_.TakeBitmap(path); }
    void TakeWave(const std::string& path) override { selection_.TakeWave(path); }

  private:
    wxWindow* owner_;
    FileSelection& selection_;
    ImportConverter& converter_;
};

// Runs one import step (a menu command, a drop) for `owner`, whose files
// `selection` takes. One at a time: a step asked for while another one's
// dialog is open is dropped.
void RunImport(wxWindow* owner, FileSelection& selection,
               const std::function<void(ImportFlow&)>& step);

using ConverterFactory = std::function<std::unique_ptr<ImportConverter>()>;
// For tests: another converter (an empty function restores the real one).
void SetImportConverterFactory(ConverterFactory factory);

}  // namespace orvane
