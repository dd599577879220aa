#include "app/export_flow.h"

namespace orvane {

std::string ReplaceQuestion(const std::vector<std::string>& existing) {
    std::string text =
        existing.size() == 1 ? "This file exists already:\n" : "These files exist already:\n";
    for (const std::string& path : existing) text += "\n" + path;
    return text + "\n\nReplace " + (existing.size() == 1 ? "it?" : "them?");
}

bool ExportFlow::OnExport(const ExportChoices& choices) {
    if (const std::string problem = CheckChoices(choices); !problem.empty()) {
        effects_.ShowBox(problem, BoxIcon::Error);
        return false;
    }
    ExportRequest request;
    request.image = choices.image;
    request.targets = TargetsFor(choices);
    request.bitrateKbps = choices.bitrateKbps;
    // Everything but existing files first: no question about a run that
    // would be refused anyway.
    request.replace = true;
    if (const ExportResult refused = CheckRequest(request);
        refused.status != ExportStatus::Completed) {
        effects_.ShowBox(refused.message, BoxIcon::Error);
        return false;
    }
    const std::vector<std::string> existing = ExistingTargets(request.targets);
    if (!existing.empty() && !effects_.AskToReplace(ReplaceQuestion(existing))) return false;
    if (!effects_.StartExport(request)) {
        effects_.ShowBox("Could not start the export", BoxIcon::Error);
        return false;
    }
    return true;
}

void ExportFlow::OnFinished(const ExportResult& result) {
    switch (result.status) {
        case ExportStatus::Completed:
            break;
        case ExportStatus::Stopped:
            effects_.Log(result.message);
            break;
        default:
            effects_.Log(result.message);
            effects_.ShowBox(result.message, BoxIcon::Error);
            break;
    }
}

}  // namespace orvane
