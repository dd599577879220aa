#include "disc/disc_plan.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "input/file_identity.h"

namespace orvane {
namespace {

DiscOutcome Refuse(std::string message) {
    return {DiscStatus::Refused, std::move(message)};
}

// Each image checked once, however often the disc holds it.
DiscOutcome CheckImages(const std::vector<std::string>& paths, std::vector<TrackImage>& images) {
    for (const std::string& path : paths) {
        const TrackImage* same = nullptr;
        for (const TrackImage& earlier : images) {
            if (SameFile(earlier.path, path)) same = &earlier;
        }
        if (same != nullptr) {
            TrackImage again = *same;
            again.path = path;
            images.push_back(std::move(again));
            continue;
        }
        TrackCheck check = CheckTrackImage(path);
        if (!check.ok) return Refuse(check.message);
        images.push_back(std::move(check.image));
    }
    return {};
}

}  // namespace

DiscOutcome CheckDiscTarget(const std::string& toc, const std::vector<std::string>& images,
                            bool replace) {
    for (const std::string& image : images) {
        if (SameFile(toc, image)) {
            return Refuse(toc + " is one of the images; name another file for the toc");
        }
    }
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(toc, ec);
    if (std::filesystem::is_directory(status)) {
        return Refuse(toc + " is a folder; name a file to write");
    }
    struct stat st {};
    if (!replace && lstat(toc.c_str(), &st) == 0) {
        return {DiscStatus::TargetExists, toc + " exists already"};
    }
    return {};
}

std::string DefaultAlbumTitle(const std::string& toc) {
    return std::filesystem::path(toc).stem().string();
}

DiscOutcome PlanDisc(const DiscRequest& request, DiscPlan& plan) {
    plan = {};
    if (request.images.empty()) return Refuse("A disc needs at least one image");
    if (request.images.size() > kMaxDiscTracks) {
        return Refuse("A disc holds at most 99 tracks; " + std::to_string(request.images.size()) +
                      " images were given");
    }
    if (DiscOutcome target = CheckDiscTarget(request.toc, request.images, request.replace);
        target.status != DiscStatus::Completed) {
        return target;
    }
    TitlesList titles;
    if (!request.titlesFile.empty()) {
        titles = ReadTitlesList(request.titlesFile, request.images.size());
        if (!titles.error.empty()) return Refuse(titles.error);
    }
    if (DiscOutcome images = CheckImages(request.images, plan.images);
        images.status != DiscStatus::Completed) {
        return images;
    }
    for (std::size_t i = 0; i < plan.images.size(); ++i) {
        const TrackNames* listed =
            i < titles.names.size() && titles.names[i] ? &*titles.names[i] : nullptr;
        plan.names.push_back(ChooseTrackNames(listed, plan.images[i].tags, plan.images[i].path));
    }
    plan.album.title = request.title.value_or(DefaultAlbumTitle(request.toc));
    plan.album.performer = request.performer.value_or(CommonPerformer(plan.names));
    return {};
}

DiscLength MeasurePlan(const DiscPlan& plan) {
    std::vector<std::uint64_t> sectors;
    for (const TrackImage& image : plan.images) sectors.push_back(image.sectors);
    return MeasureDisc(sectors);
}

}  // namespace orvane
