#include "app/import_window.h"

#include <wx/utils.h>

#include <filesystem>

#include "app/import_chooser.h"
#include "app/import_picture_dlg.h"
#include "app/import_progress_dlg.h"
#include "app/message_box.h"
#include "res/resource_ids.h"

namespace orvane {

namespace {

ConverterFactory& Factory() {
    static ConverterFactory factory;
    return factory;
}

// The next picture starts with the options the last one was saved or left with.
PictureOptions& LastOptions() {
    static PictureOptions options;
    return options;
}

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

FileChoice WindowImportEffects::Choose(const ChooserRequest& request) {
    return ShowImportChooser(owner_, request);
}

void WindowImportEffects::ShowError(const std::string& text) {
    ShowMessageBox({owner_, text, kProgramName, wxOK | wxICON_ERROR});
}

MediaKind WindowImportEffects::Probe(const std::string& path, std::string& reason) {
    wxBusyCursor busy;
    return converter_.Probe(path, reason);
}

bool WindowImportEffects::EditPicture(const std::string& source,
                                      const std::function<bool(const Picture&)>& save,
                                      std::string& reason) {
    // A large picture takes a while to decode: the box shows it and can stop it.
    std::unique_ptr<PictureSource> picture;
    ImportConverter& converter = converter_;
    ImportProgressDlg reading(owner_, "Import picture", FileName(source),
                              [&](ProgressSink& progress) {
                                  picture = converter.OpenPicture(source, progress, reason);
                                  return ImportOutcome::Done();
                              });
    reading.ShowModal();
    if (!picture) return false;
    ImportPictureDlg dialog(owner_, source, *picture, LastOptions(), save);
    dialog.ShowModal();
    LastOptions() = dialog.Options();
    return true;
}

ImportOutcome WindowImportEffects::WritePicture(const Picture& picture, const std::string& target,
                                                const std::string& source) {
    wxBusyCursor busy;
    return converter_.WritePicture(picture, target, source);
}

ImportOutcome WindowImportEffects::ConvertRecording(const std::string& source,
                                                    const std::string& target) {
    ImportConverter& converter = converter_;
    ImportProgressDlg dialog(owner_, "Import recording",
                             FileName(source) + " to " + FileName(target),
                             [&converter, source, target](ProgressSink& progress) {
                                 return converter.ConvertRecording(source, target, progress);
                             });
    dialog.ShowModal();
    return dialog.Outcome();
}

void RunImport(wxWindow* owner, FileSelection& selection,
               const std::function<void(ImportFlow&)>& step) {
    static bool busy = false;
    if (busy) return;
    busy = true;
    std::unique_ptr<ImportConverter> converter = Factory() ? Factory()() : MakeImportConverter();
    WindowImportEffects effects(owner, selection, *converter);
    ImportFlow flow(effects);
    step(flow);
    busy = false;
}

void SetImportConverterFactory(ConverterFactory factory) {
    Factory() = std::move(factory);
}

}  // namespace orvane
