// The export dialog's decisions: what Export does with the choices, and how
// the outcome is told. The dialog implements the effects with wx; tests with
// fakes.
#pragma once

#include <string>
#include <vector>

#include "app/dialog_effects.h"
#include "app/export_choices.h"
#include "export/export_request.h"

namespace orvane {

class ExportFlowEffects {
  public:
    virtual ~ExportFlowEffects() = default;
    // A Yes/No box; true for Yes.
    virtual bool AskToReplace(const std::string& question) = 0;
    virtual void ShowBox(const std::string& text, BoxIcon icon) = 0;
    // A line for the main window's log.
    virtual void Log(const std::string& line) = 0;
    // Starts the export on its own thread; false when it could not start.
    virtual bool StartExport(const ExportRequest& request) = 0;
};

// "These files exist already: ... Replace them?"
std::string ReplaceQuestion(const std::vector<std::string>& existing);

class ExportFlow {
  public:
    explicit ExportFlow(ExportFlowEffects& effects) : effects_(effects) {}

    // Export pressed: checks, asks before replacing, starts. True when started.
    bool OnExport(const ExportChoices& choices);
    // The run's lines for the log, as they come ("Exported: PATH").
    void OnLogLine(const std::string& line) { effects_.Log(line); }
    // The run has ended.
    void OnFinished(const ExportResult& result);

  private:
    ExportFlowEffects& effects_;
};

}  // namespace orvane
