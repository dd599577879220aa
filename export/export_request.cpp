#include "export/export_request.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "input/file_identity.h"

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
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (SameFile(all[i], request.image)) {
            return Outcome(ExportStatus::TargetIsImage,
                           all[i] + " is the image itself; choose another name", all[i]);
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(all[i], all[j])) {
                return Outcome(ExportStatus::TargetTwice,
                               all[i] + " is named for two files of this export", all[i]);
            }
        }
    }
    for (const std::string& target : all) {
        std::error_code ec;
        if (fs::is_directory(fs::symlink_status(target, ec))) {
            return Outcome(ExportStatus::TargetIsFolder,
                           target + " is a folder; name a file to write", target);
        }
    }
    if (!request.replace) {
        for (const std::string& target : all) {
            if (Exists(target)) {
                return Outcome(ExportStatus::TargetExists, target + " exists already", target);
            }
        }
    }
    return {};
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
