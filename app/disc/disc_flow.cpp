#include "app/disc/disc_flow.h"

#include <filesystem>

#include "app/export_flow.h"
#include "disc/disc_writer.h"
#include "export/toc_file.h"
#include "input/sector_file.h"

namespace orvane {
namespace {

DiscEntry EntryFor(TrackImage image) {
    TrackNames names = ChooseTrackNames(nullptr, image.tags, image.path);
    return {std::move(image), std::move(names)};
}

}  // namespace

void DiscFlow::OfferFirst(const std::string& image) {
    if (image.empty()) return;
    TrackCheck check = CheckTrackImage(image);
    if (check.ok) tracks_.push_back(EntryFor(std::move(check.image)));
}

void DiscFlow::OnAdd() {
    for (const std::string& path : effects_.ChooseImages()) {
        if (!Add(path)) break;
    }
}

bool DiscFlow::Add(const std::string& path) {
    if (tracks_.size() >= kMaxDiscTracks) {
        effects_.ShowBox("A disc holds at most 99 tracks", BoxIcon::Error);
        return false;
    }
    TrackCheck check = CheckTrackImage(path);
    if (!check.ok) {
        effects_.ShowBox(check.message, BoxIcon::Error);
        return false;
    }
    if (check.image.ignoredBytes > 0) {
        effects_.Log(IgnoredTailLine(check.image.ignoredBytes, check.image.path));
    }
    tracks_.push_back(EntryFor(std::move(check.image)));
    return true;
}

void DiscFlow::Remove(std::size_t index) {
    if (index < tracks_.size()) tracks_.erase(tracks_.begin() + static_cast<long>(index));
}

void DiscFlow::Move(std::size_t from, std::size_t to) {
    if (from >= tracks_.size() || to >= tracks_.size() || from == to) return;
    DiscEntry entry = std::move(tracks_[from]);
    tracks_.erase(tracks_.begin() + static_cast<long>(from));
    tracks_.insert(tracks_.begin() + static_cast<long>(to), std::move(entry));
}

void DiscFlow::SetNames(std::size_t index, const TrackNames& names) {
    if (index < tracks_.size()) tracks_[index].names = names;
}

void DiscFlow::OnPlay(std::size_t index) {
    if (index < tracks_.size()) effects_.Play(tracks_[index].image.path);
}

DiscFill DiscFlow::Fill() const {
    DiscPlan plan;
    for (const DiscEntry& entry : tracks_) plan.images.push_back(entry.image);
    const DiscLength length = MeasurePlan(plan);
    DiscFill fill;
    fill.filled = static_cast<double>(length.sectors) / static_cast<double>(k80MinuteSectors);
    fill.mark74 = static_cast<double>(k74MinuteSectors) / static_cast<double>(k80MinuteSectors);
    fill.over74 = length.over74;
    fill.over80 = length.over80;
    fill.text = DiscSummary(length);
    return fill;
}

DiscPlan DiscFlow::PlanFor(const std::string& toc) const {
    DiscPlan plan;
    for (const DiscEntry& entry : tracks_) {
        plan.images.push_back(entry.image);
        plan.names.push_back(entry.names);
    }
    plan.album = album_;
    if (plan.album.title.empty()) plan.album.title = DefaultAlbumTitle(toc);
    if (plan.album.performer.empty()) plan.album.performer = CommonPerformer(plan.names);
    return plan;
}

// An image changed since it was added is checked again: what the list
// shows must be what the toc says.
bool DiscFlow::ImagesStillUsable() {
    for (DiscEntry& entry : tracks_) {
        if (StillAsChecked(entry.image)) continue;
        TrackCheck check = CheckTrackImage(entry.image.path);
        if (!check.ok) {
            effects_.ShowBox(check.message, BoxIcon::Error);
            return false;
        }
        entry.image = std::move(check.image);
    }
    return true;
}

bool DiscFlow::OnWrite() {
    if (tracks_.empty()) {
        effects_.ShowBox("Add the images of the disc first", BoxIcon::Error);
        return false;
    }
    if (const DiscLength length = MeasurePlan(PlanFor({})); length.over80) {
        effects_.ShowBox(TooLongMessage(length), BoxIcon::Error);
        return false;
    }
    namespace fs = std::filesystem;
    const std::string name = album_.title.empty() ? "disc" : album_.title;
    const std::string suggested =
        lastToc_.empty()
            ? (fs::path(tracks_.front().image.path).parent_path() / (name + ".toc")).string()
            : lastToc_;
    const std::string toc = effects_.ChooseToc(suggested);
    if (toc.empty()) return false;
    std::vector<std::string> images;
    for (const DiscEntry& entry : tracks_) images.push_back(entry.image.path);
    DiscOutcome target = CheckDiscTarget(toc, images, false);
    const bool replace = target.status == DiscStatus::TargetExists;
    if (replace) {
        if (!effects_.AskToReplace(ReplaceQuestion({toc}))) return false;
        target = CheckDiscTarget(toc, images, true);
    }
    if (target.status != DiscStatus::Completed) {
        effects_.ShowBox(target.message, BoxIcon::Error);
        return false;
    }
    if (!ImagesStillUsable()) return false;
    const DiscWrite write = WriteDisc(PlanFor(toc), toc, replace);
    for (const std::string& note : write.notes) effects_.Log(note);
    if (write.outcome.status != DiscStatus::Completed) {
        effects_.ShowBox(write.outcome.message, BoxIcon::Error);
        return false;
    }
    lastToc_ = toc;
    effects_.Log("Burn file written: " + toc);
    effects_.ShowBox("Burn file written: " + toc + "\r\n\r\nBurn it with: cdrdao write --swap " +
                         TocShellWord(toc),
                     BoxIcon::Information);
    return true;
}

}  // namespace orvane
