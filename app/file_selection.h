// The three browse buttons and the checks run the moment a file is chosen.
#pragma once

#include <string>

#include "app/dialog_effects.h"
#include "app/dialog_model.h"

namespace orvane {

// Filter list for the chooser, pairs separated by '|':
// "Bitmap files (*.BMP)|*.BMP|All Files (*.*)|*.*"
std::string ChooserFilter(const std::string& description, const std::string& extension);
// "Load BMP file", "Load WAV file", "Save CDG file as".
std::string ChooserTitle(bool open, const std::string& extension);

class FileSelection {
  public:
    FileSelection(DialogModel& model, DialogEffects& effects) : model_(model), effects_(effects) {}

    std::string ChooseFile(bool open, const std::string& description, const std::string& extension);

    void OnBrowseBitmap();
    void OnBrowseWave();
    void OnBrowseOutput();

    // A file named some other way (dropped on the window, imported, given on
    // the command line) taken as if confirmed in its chooser: the same check,
    // box, log line and path field.
    void TakeBitmap(std::string path);
    void TakeWave(std::string path);
    void TakeOutput(std::string path);
    // An output named without the chooser (on the command line): an existing
    // file is replaced only when the chooser's question says so; otherwise no
    // output is chosen.
    void TakeNamedOutput(std::string path);

    bool LoadBitmapFile();
    bool CheckWaveFile();

  private:
    // Chooses a picture or recording and checks it with `check`.
    void BrowseInput(const std::string& description, const std::string& extension,
                     std::string& path, bool& valid, bool (FileSelection::*check)());
    void TakeInput(std::string chosen, std::string& path, bool& valid,
                   bool (FileSelection::*check)());

    DialogModel& model_;
    DialogEffects& effects_;
};

}  // namespace orvane
