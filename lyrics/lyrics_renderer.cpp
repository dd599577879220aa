#include "lyrics/lyrics_renderer.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "lyrics/ass_raster.h"
#include "lyrics/page_layout.h"
#include "lyrics/tile_history.h"

namespace orvane {
namespace {

struct Job {
    enum Type { Clear, Appear, Look };
    std::int64_t sector;
    Type type;
    int element;
    bool operator<(const Job& o) const {
        if (sector != o.sector) return sector < o.sector;
        if (type != o.type) return type < o.type;
        return element < o.element;
    }
};

// One shown element while the walk runs.
struct Shown {
    const ScreenElement* element = nullptr;
    AssTrack track;
    std::int64_t appear = 0, clear = 0, done = 0, earliest = 0;  // sectors
    bool visible = false;
    std::int64_t renderedAt = -1;
    InkLayer layer;
    std::vector<std::uint8_t> previous;  // the layer before the last frame
};

// Whole tiles covered by a box.
template <typename Visit>
void ForEachTile(const InkBox& box, Visit visit) {
    const int c0 = std::max(0, box.left / kTileWidth),
              c1 = std::min(kTileColumns - 1, (box.right - 1) / kTileWidth);
    const int r0 = std::max(0, box.top / kTileHeight),
              r1 = std::min(kTileRows - 1, (box.bottom - 1) / kTileHeight);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) visit(r * kTileColumns + c);
}

InkBox TileBox(int tile) {
    const int x = tile % kTileColumns * kTileWidth, y = tile / kTileColumns * kTileHeight;
    return {x, y, x + kTileWidth, y + kTileHeight};
}

class FrameWalk {
  public:
    FrameWalk(const Picture& picture, std::vector<TileState>& out);
    bool Prepare(const std::vector<ScreenElement>& elements, const std::string& fontFile,
                 std::int64_t sectorCount, std::string& error);
    void Run();

  private:
    void Render(int e, std::int64_t sector, bool appearing);
    void Hide(int e, std::int64_t sector);
    void Mark(int tile, std::int64_t sector, bool structural, int word);
    bool TileDiffers(const Shown& s, int tile) const;
    void Settle(std::int64_t sector);
    TilePixels Compose(int tile) const;
    int WordAt(const Shown& s, std::int64_t sector) const;
    std::int64_t SteadySince(const Shown& s, std::int64_t sector, std::int64_t from) const;
    std::int64_t Release(int tile, std::int64_t sector) const;

    std::array<TilePixels, kTiles> picture_{};
    std::vector<TileState>& out_;
    std::unique_ptr<TileHistory> history_;
    std::unique_ptr<AssRaster> raster_;
    std::vector<Shown> shown_;
    std::vector<Job> jobs_;
    std::array<std::vector<int>, kTiles> covering_;
    // Tiles touched in the sector being walked, and how.
    std::vector<int> dirty_;
    std::array<std::int64_t, kTiles> dirtyAt_;
    std::array<bool, kTiles> structural_{};
    std::array<int, kTiles> word_{};
};

FrameWalk::FrameWalk(const Picture& picture, std::vector<TileState>& out) : out_(out) {
    for (int t = 0; t < kTiles; ++t) {
        const InkBox box = TileBox(t);
        for (int y = 0; y < kTileHeight; ++y)
            for (int x = 0; x < kTileWidth; ++x)
                picture_[t][y * kTileWidth + x] = PixelAt(picture, box.left + x, box.top + y);
    }
    dirtyAt_.fill(-1);
    history_ = std::make_unique<TileHistory>(picture_, out_);
}

bool FrameWalk::Prepare(const std::vector<ScreenElement>& elements, const std::string& fontFile,
                        std::int64_t sectorCount, std::string& error) {
    raster_ = AssRaster::Open(kPictureWidth, kPictureHeight, fontFile, error);
    if (!raster_) return false;
    shown_.resize(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const ScreenElement& element = elements[i];
        Shown& s = shown_[i];
        s.element = &element;
        s.appear = std::max<std::int64_t>(0, SectorAt(element.appearMs));
        s.earliest = std::clamp<std::int64_t>(SectorAt(element.earliestMs), 0, s.appear);
        s.clear = std::min(SectorAt(element.clearMs), sectorCount);
        s.done = std::min(SectorAt(element.doneMs), s.clear);
        if (s.appear >= s.clear || element.box.empty()) continue;
        s.track = raster_->Load(element.script);
        if (!s.track) {
            error = "libass could not read the lyrics' script.";
            return false;
        }
        const int e = static_cast<int>(i);
        jobs_.push_back({s.appear, Job::Appear, e});
        if (s.clear < sectorCount) jobs_.push_back({s.clear, Job::Clear, e});
        for (const LookChange& change : element.changes) {
            const std::int64_t first = std::max(SectorAt(change.startMs), s.appear + 1);
            const std::int64_t last = std::min(
                change.sweep ? SectorAt(change.endMs) : SectorAt(change.startMs), s.clear - 1);
            for (std::int64_t sector = first; sector <= last; ++sector)
                jobs_.push_back({sector, Job::Look, e});
        }
        ForEachTile(element.box, [&](int tile) { covering_[tile].push_back(e); });
    }
    std::sort(jobs_.begin(), jobs_.end());
    jobs_.erase(std::unique(jobs_.begin(), jobs_.end(),
                            [](const Job& a, const Job& b) { return !(a < b) && !(b < a); }),
                jobs_.end());
    return true;
}

int FrameWalk::WordAt(const Shown& s, std::int64_t sector) const {
    int word = -1;
    for (const LookChange& change : s.element->changes)
        if (SectorAt(change.startMs) <= sector) word = change.word;
    return word;
}

// The sector from which the element looks as it does at `sector`, `from`
// at the earliest: its words sung by then show from when they were sung.
std::int64_t FrameWalk::SteadySince(const Shown& s, std::int64_t sector, std::int64_t from) const {
    std::int64_t since = from;
    for (const LookChange& change : s.element->changes) {
        const std::int64_t start = SectorAt(change.startMs);
        if (start > sector) break;
        since = std::max(since, change.sweep ? std::min(sector, SectorAt(change.endMs)) : start);
    }
    return since;
}

// The earliest sector the tile's new state may be drawn at: once whatever it
// replaces is no longer needed, once what stays looks as it will, and not
// before what comes may be drawn ahead.
std::int64_t FrameWalk::Release(int tile, std::int64_t sector) const {
    std::int64_t release = history_->LastRelease(tile);
    const std::int64_t previous = history_->LastDeadline(tile);
    for (const int e : covering_[tile]) {
        const Shown& s = shown_[e];
        // Coming now: drawn ahead from its earliest, but not before the
        // words it shows sung (a line late for its place) were sung.
        if (s.appear == sector) release = std::max(release, SteadySince(s, sector, s.earliest));
        if (s.appear >= sector || s.clear <= previous) continue;
        release = std::max(release, s.clear > sector ? SteadySince(s, sector, s.appear)
                                                     : std::min(s.done, s.clear));
    }
    return std::min(release, sector);
}

void FrameWalk::Mark(int tile, std::int64_t sector, bool structural, int word) {
    if (dirtyAt_[tile] != sector) {
        dirtyAt_[tile] = sector;
        dirty_.push_back(tile);
        structural_[tile] = false;
        word_[tile] = -1;
    }
    structural_[tile] = structural_[tile] || structural;
    word_[tile] = std::max(word_[tile], word);
}

bool FrameWalk::TileDiffers(const Shown& s, int tile) const {
    const InkBox& box = s.layer.box;
    const InkBox t = TileBox(tile);
    const int x0 = std::max(t.left, box.left), x1 = std::min(t.right, box.right);
    const int y0 = std::max(t.top, box.top), y1 = std::min(t.bottom, box.bottom);
    for (int y = y0; y < y1; ++y) {
        const std::size_t at =
            static_cast<std::size_t>(y - box.top) * box.width() + (x0 - box.left);
        if (std::memcmp(&s.layer.pixels[at], &s.previous[at], static_cast<std::size_t>(x1 - x0)) !=
            0)
            return true;
    }
    return false;
}

void FrameWalk::Render(int e, std::int64_t sector, bool appearing) {
    Shown& s = shown_[e];
    if (appearing) {
        s.layer.Reset(s.element->box);
        s.previous = s.layer.pixels;
        s.visible = true;
    }
    std::swap(s.layer.pixels, s.previous);
    if (!raster_->Render(s.track.get(), MsOfSector(sector), s.layer) && !appearing) {
        std::swap(s.layer.pixels, s.previous);
        return;
    }
    s.renderedAt = sector;
    const bool structural = appearing || s.element->kind != ScreenElement::Kind::Line;
    const int word = structural ? -1 : WordAt(s, sector);
    ForEachTile(s.layer.box, [&](int tile) {
        if (appearing || TileDiffers(s, tile)) Mark(tile, sector, structural, word);
    });
}

void FrameWalk::Hide(int e, std::int64_t sector) {
    Shown& s = shown_[e];
    s.visible = false;
    ForEachTile(s.layer.box, [&](int tile) { Mark(tile, sector, true, -1); });
    s.layer.pixels = {};
    s.previous = {};
}

TilePixels FrameWalk::Compose(int tile) const {
    TilePixels pixels = picture_[tile];
    const InkBox t = TileBox(tile);
    for (const int e : covering_[tile]) {
        const Shown& s = shown_[e];
        if (!s.visible) continue;
        const InkBox& box = s.layer.box;
        const int x0 = std::max(t.left, box.left), x1 = std::min(t.right, box.right);
        const int y0 = std::max(t.top, box.top), y1 = std::min(t.bottom, box.bottom);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const std::uint8_t ink = s.layer.At(x, y);
                if (ink != InkLayer::kNoInk) pixels[(y - t.top) * kTileWidth + (x - t.left)] = ink;
            }
    }
    return pixels;
}

void FrameWalk::Settle(std::int64_t sector) {
    for (const int tile : dirty_) {
        const TilePixels pixels = Compose(tile);
        if (pixels == history_->Current(tile)) continue;
        if (structural_[tile])
            history_->Change(tile, sector, Release(tile, sector), pixels);
        else
            history_->Wipe(tile, sector, word_[tile], pixels);
    }
    dirty_.clear();
}

void FrameWalk::Run() {
    for (std::size_t i = 0; i < jobs_.size();) {
        const std::int64_t sector = jobs_[i].sector;
        for (; i < jobs_.size() && jobs_[i].sector == sector; ++i) {
            const Job& job = jobs_[i];
            Shown& s = shown_[job.element];
            if (job.type == Job::Clear) Hide(job.element, sector);
            if (job.type == Job::Appear) Render(job.element, sector, true);
            if (job.type == Job::Look && s.visible && s.renderedAt != sector)
                Render(job.element, sector, false);
        }
        Settle(sector);
    }
    history_->Finish();
}

}  // namespace

bool RenderTileStates(const Picture& picture, const std::vector<ScreenElement>& elements,
                      const std::string& fontFile, std::int64_t sectorCount,
                      std::vector<TileState>& changes, std::string& error) {
    const std::size_t from = changes.size();
    FrameWalk walk(picture, changes);
    if (!walk.Prepare(elements, fontFile, sectorCount, error)) return false;
    walk.Run();
    std::stable_sort(changes.begin() + static_cast<std::ptrdiff_t>(from), changes.end(),
                     [](const TileState& a, const TileState& b) {
                         return a.deadline != b.deadline ? a.deadline < b.deadline
                                                         : a.tile < b.tile;
                     });
    return true;
}

}  // namespace orvane
