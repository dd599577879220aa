#include "export/export_request.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "input/file_identity.h"
#include "input/output_rule.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    struct stat st {};
    // lstat: a dangling link is still something a replace would overwrite.
    return lstat(path.c_str(), &st) == 0;
}

}  // namespace

ExportResult Outcome(ExportStatus status, std::string message, std::string file) {
    ExportResult result;
    result.status = status;
    result.message = std::move(message);
    result.file = std::move(file);
    return result;
}

std::vector<std::string> ExportTargets::All() const {
    std::vector<std::string> all;
    for (const std::string* t : {&cdg, &wav, &mp3, &mp3Zip, &wavZip, &toc}) {
        if (!t->empty()) all.push_back(*t);
    }
    return all;
}

bool IsRefusal(ExportStatus status) {
    switch (status) {
        case ExportStatus::Completed:
        case ExportStatus::ReadFailed:
        case ExportStatus::WriteFailed:
        case ExportStatus::Stopped:
            return false;
        default:
            return true;
    }
}

const std::vector<int>& Mp3Bitrates() {
    static const std::vector<int> rates = {32,  40,  48,  56,  64,  80,  96,
                                           112, 128, 160, 192, 224, 256, 320};
    return rates;
}

ExportResult CheckRequest(const ExportRequest& request) {
    const auto& rates = Mp3Bitrates();
    if (std::find(rates.begin(), rates.end(), request.bitrateKbps) == rates.end()) {
        return Outcome(ExportStatus::BadBitrate,
                       "An MP3 cannot have " + std::to_string(request.bitrateKbps) +
                           " kbit/s; choose 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, "
                           "224, 256 or 320");
    }
    const std::vector<std::string> all = request.targets.All();
    if (all.empty()) return Outcome(ExportStatus::NoTarget, "No file to export was chosen");
    const OutputVerdict verdict = CheckOutputs(all, {request.image}, request.replace);
    const std::string& target = verdict.path;
    switch (verdict.refusal) {
        case OutputRefusal::None:
            return {};
        case OutputRefusal::IsAnInput:
            return Outcome(ExportStatus::TargetIsImage,
                           target + " is the image itself; choose another name", target);
        case OutputRefusal::NamedTwice:
            return Outcome(ExportStatus::TargetTwice,
                           target + " is named for two files of this export", target);
        case OutputRefusal::Exists:
            return Outcome(ExportStatus::TargetExists, target + " exists already", target);
        default:
            return Outcome(ExportStatus::TargetNotAFile, verdict.message, target);
    }
}

ExportTargets DefaultTargets(const std::string& image) {
    const fs::path path(image);
    const std::string base = (path.parent_path() / path.stem()).string();
    ExportTargets targets;
    targets.cdg = base + ".cdg";
    targets.mp3 = base + ".mp3";
    for (std::string* target : {&targets.cdg, &targets.mp3}) {
        if (SameFile(*target, image)) {
            target->clear();
            targets.mp3Zip = base + ".zip";
        }
    }
    return targets;
}

std::vector<std::string> ExistingTargets(const ExportTargets& targets) {
    std::vector<std::string> existing;
    for (const std::string& target : targets.All()) {
        if (Exists(target)) existing.push_back(target);
    }
    return existing;
}

}  // namespace orvane
