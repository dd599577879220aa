#include "disc/disc_plan.h"

#include <filesystem>

#include "input/file_identity.h"
#include "input/output_rule.h"

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

DiscOutcome CheckDiscTarget(const std::string& toc, const std::vector<std::string>& inputs,
                            bool replace) {
    const OutputVerdict verdict = CheckOutputs({toc}, inputs, replace);
    switch (verdict.refusal) {
        case OutputRefusal::None:
            return {};
        case OutputRefusal::IsAnInput:
            return Refuse(toc + " is one of the files the disc is made from; name another file for the toc");
        case OutputRefusal::Exists:
            return {DiscStatus::TargetExists, toc + " exists already"};
        default:
            return Refuse(verdict.message);
    }
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
    std::vector<std::string> inputs = request.images;
    inputs.push_back(request.titlesFile);
    if (DiscOutcome target = CheckDiscTarget(request.toc, inputs, request.replace);
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
