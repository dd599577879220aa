#include "lyrics/packet_scheduler.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

#include "lyrics/tile_update.h"

namespace orvane {
namespace {

constexpr std::int64_t kPacketsPerSector = 4;
constexpr auto kSectorRate = static_cast<std::int64_t>(kSectorsPerSecond);  // signed arithmetic
constexpr int kVisibleTiles = 48 * 16;
constexpr std::int64_t kUnsent = -1;

std::int64_t SectorOf(std::int64_t ms) {
    // Floor, also for times before the song's start.
    const std::int64_t scaled = ms * kSectorRate;
    return scaled >= 0 ? scaled / 1000 : -((-scaled + 999) / 1000);
}

std::int64_t MsOf(std::int64_t sectors) {
    return (sectors * 1000 + kSectorRate / 2) / kSectorRate;
}

// One state a tile must reach: the picture's own (index < 768) or a change.
struct Target {
    std::int64_t deadline = 0;
    std::int64_t release = 0;  // no earlier than the tile's earlier states'
    const TilePixels* pixels = nullptr;
    bool word = false;                  // a word's colour change
    std::int64_t completion = kUnsent;  // sector the tile first showed it or a later state
};

struct TileQueue {
    std::vector<int> targets;  // in deadline order, the picture's first
    std::size_t next = 0;      // first not yet shown
    TilePixels shown{};        // the stream starts black: index 0 everywhere
};

TilePixels PictureTile(const Picture& picture, int tile) {
    TilePixels pixels;
    const int x0 = (tile % 48) * 6;
    const int y0 = (tile / 48) * 12;
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 6; ++x) {
            pixels[static_cast<std::size_t>(y * 6 + x)] = PixelAt(picture, x0 + x, y0 + y);
        }
    }
    return pixels;
}

// A time, then the tile (plus kOther for a state that is not a word's).
using Key = std::pair<std::int64_t, int>;
constexpr int kOther = 1024;
// Every state but a word's is served as if due this much later. The words
// being sung are what a singer follows: a line drawn or cleared late goes
// nearly unnoticed, a word's colour late does not. Without it, a line drawn
// over a busy picture (hundreds of packets, often with no slack) holds up
// the words sung meanwhile by most of a second. Nothing starves: the words
// take a small part of the stream.
constexpr std::int64_t kWordsFirstSectors = 2 * kSectorRate;
// Nothing but the picture is drawn more than this before it is due, however
// early its place is free: a countdown or half a line shown a minute before
// its time only puzzles the singer, and 5 s spread a page's drawing enough.
constexpr std::int64_t kMostAheadSectors = 5 * kSectorRate;
using MinHeap = std::priority_queue<Key, std::vector<Key>, std::greater<Key>>;

class Scheduler {
  public:
    Scheduler(const ScreenTimeline& timeline, std::int64_t sectorCount,
              const ScheduleOptions& options)
        : timeline_(timeline), sectorCount_(sectorCount), options_(options) {}

    PacketSchedule Run() {
        PacketSchedule out;
        out.blocks.assign(static_cast<std::size_t>(std::max<std::int64_t>(sectorCount_, 0)), {});
        if (sectorCount_ <= 0) return out;
        EncodeColorTable(timeline_.picture.palette, out.blocks[0]);
        std::int64_t slot = 2;  // the colour table's two packets
        for (const SubcodePacket& packet : options_.leadPackets) {
            if (slot >= SlotCount()) break;
            Place(out, slot++, packet);
        }
        BuildQueues(slot);
        Serve(out, slot);
        Measure(out);
        return out;
    }

  private:
    std::int64_t SlotCount() const { return sectorCount_ * kPacketsPerSector; }

    static void Place(PacketSchedule& out, std::int64_t slot, const SubcodePacket& packet) {
        out.blocks[static_cast<std::size_t>(slot / kPacketsPerSector)]
            .packets[static_cast<std::size_t>(slot % kPacketsPerSector)] = packet;
    }

    // The picture's tiles are due in order at the pace the stream can send
    // them from a black screen; each tile's changes follow in deadline order.
    void BuildQueues(std::int64_t firstSlot) {
        pictureTiles_.resize(kVisibleTiles);
        targets_.resize(kVisibleTiles + timeline_.changes.size());
        const TilePixels black{};
        std::int64_t slot = firstSlot;
        for (int t = 0; t < kVisibleTiles; ++t) {
            pictureTiles_[static_cast<std::size_t>(t)] = PictureTile(timeline_.picture, t);
            const int cost =
                PlanTileUpdate(t, black, pictureTiles_[static_cast<std::size_t>(t)]).count;
            slot += cost;
            Target& target = targets_[static_cast<std::size_t>(t)];
            target.deadline = std::max<std::int64_t>(slot - 1, 0) / kPacketsPerSector;
            target.pixels = &pictureTiles_[static_cast<std::size_t>(t)];
            tiles_[static_cast<std::size_t>(t)].targets.push_back(t);
        }
        for (std::size_t i = 0; i < timeline_.changes.size(); ++i) {
            const TileState& change = timeline_.changes[i];
            if (change.tile < 0 || change.tile >= kVisibleTiles) continue;
            Target& target = targets_[kVisibleTiles + i];
            target.deadline = change.deadline;
            target.release = change.release;
            target.pixels = &change.pixels;
            target.word = change.word >= 0;
            tiles_[static_cast<std::size_t>(change.tile)].targets.push_back(
                static_cast<int>(kVisibleTiles + i));
        }
        for (TileQueue& queue : tiles_) OrderTile(queue);
    }

    void OrderTile(TileQueue& queue) {
        auto byDeadline = [this](int a, int b) { return At(a).deadline < At(b).deadline; };
        std::stable_sort(queue.targets.begin() + 1, queue.targets.end(), byDeadline);
        Target& picture = At(queue.targets[0]);
        if (queue.targets.size() > 1) {
            picture.deadline = std::min(picture.deadline, At(queue.targets[1]).deadline);
        }
        // Drawing a state early must not skip one still due before it.
        std::int64_t release = 0;
        for (std::size_t k = 0; k < queue.targets.size(); ++k) {
            Target& target = At(queue.targets[k]);
            const std::int64_t soonest = k == 0 ? 0 : target.deadline - kMostAheadSectors;
            release = std::max({release, target.release, soonest});
            target.release = release;
        }
    }

    Target& At(int index) { return targets_[static_cast<std::size_t>(index)]; }
    const Target& Pending(const TileQueue& queue) const {
        return targets_[static_cast<std::size_t>(queue.targets[queue.next])];
    }

    void Serve(PacketSchedule& out, std::int64_t slot) {
        MinHeap waiting, ready;
        for (int t = 0; t < kVisibleTiles; ++t) {
            waiting.emplace(Pending(tiles_[static_cast<std::size_t>(t)]).release, t);
        }
        while (slot < SlotCount()) {
            const std::int64_t now = slot / kPacketsPerSector;
            while (!waiting.empty() && waiting.top().first <= now) {
                const int t = waiting.top().second;
                waiting.pop();
                const Target& pending = Pending(tiles_[static_cast<std::size_t>(t)]);
                ready.emplace(
                    pending.word ? pending.deadline : pending.deadline + kWordsFirstSectors,
                    pending.word ? t : t + kOther);
            }
            if (ready.empty()) {
                if (waiting.empty()) return;
                slot = waiting.top().first * kPacketsPerSector;  // nothing may be drawn before
                continue;
            }
            const int t = ready.top().second % kOther;
            ready.pop();
            if (!SendJob(out, t, slot)) return;  // the stream ends inside it
            const TileQueue& queue = tiles_[static_cast<std::size_t>(t)];
            if (queue.next < queue.targets.size()) waiting.emplace(Pending(queue).release, t);
        }
    }

    // Brings tile t to its latest state that may be drawn now; the states it
    // overtakes are shown with it.
    bool SendJob(PacketSchedule& out, int t, std::int64_t& slot) {
        TileQueue& queue = tiles_[static_cast<std::size_t>(t)];
        const std::int64_t now = slot / kPacketsPerSector;
        std::size_t last = queue.next;
        while (last + 1 < queue.targets.size() && At(queue.targets[last + 1]).release <= now) {
            ++last;
        }
        const TilePixels& wanted = *At(queue.targets[last]).pixels;
        const TileUpdate update = PlanTileUpdate(t, queue.shown, wanted);
        if (slot + update.count > SlotCount()) return false;
        for (int i = 0; i < update.count; ++i) {
            Place(out, slot++, update.packets[static_cast<std::size_t>(i)]);
        }
        const std::int64_t completion = update.count > 0 ? (slot - 1) / kPacketsPerSector : now;
        for (std::size_t k = queue.next; k <= last; ++k)
            At(queue.targets[k]).completion = completion;
        queue.shown = wanted;
        queue.next = last + 1;
        return true;
    }

    void Measure(PacketSchedule& out) {
        LyricsLateness& report = out.lateness;
        report.lines = static_cast<int>(timeline_.lines.size());
        report.words = static_cast<int>(timeline_.words.size());
        report.leadMs = options_.leadMs;
        out.pictureDoneSector = PictureDone();
        // A word with a change the stream never carried is late whatever
        // the figure says: the recording ended before it.
        std::vector<std::int64_t> wordLate(timeline_.words.size(), 0);
        std::vector<bool> wordCut(timeline_.words.size(), false);
        for (std::size_t i = 0; i < timeline_.changes.size(); ++i) {
            const TileState& change = timeline_.changes[i];
            std::int64_t completion = targets_[kVisibleTiles + i].completion;
            const bool unsent = completion == kUnsent;
            if (unsent) {
                ++report.unsentChanges;
                completion = sectorCount_;
            }
            if (change.word < 0 || static_cast<std::size_t>(change.word) >= wordLate.size()) {
                continue;
            }
            const auto w = static_cast<std::size_t>(change.word);
            wordLate[w] = std::max(wordLate[w], completion - change.deadline);
            if (unsent) wordCut[w] = true;
        }
        for (std::size_t w = 0; w < wordLate.size(); ++w) {
            const std::int64_t ms = MsOf(std::max<std::int64_t>(wordLate[w], 0));
            if (ms > kLateToleranceMs || wordCut[w]) ++report.lateWords;
            if (wordCut[w]) ++report.cutWords;
            report.latestMs = std::max(report.latestMs, ms);
        }
        for (const TimelineLine& line : timeline_.lines) {
            if (!WholeAhead(line)) ++report.linesNotAhead;
        }
    }

    std::int64_t PictureDone() {
        std::int64_t done = 0;
        for (int t = 0; t < kVisibleTiles; ++t) {
            if (At(t).completion == kUnsent) return kUnsent;
            done = std::max(done, At(t).completion);
        }
        return done;
    }

    // Every tile of the line's box shows, `lead` before the first word, the
    // last state the plan draws there before it (lines, titles and clears;
    // the words of neighbouring lines do not count).
    bool WholeAhead(const TimelineLine& line) const {
        const std::int64_t ahead = SectorOf(line.firstWordMs - options_.leadMs);
        const std::int64_t sung = SectorOf(line.firstWordMs);
        const int left = std::clamp(line.left, 0, 287) / 6;
        const int right = std::clamp(line.right - 1, 0, 287) / 6;
        const int top = std::clamp(line.top, 0, 191) / 12;
        const int bottom = std::clamp(line.bottom - 1, 0, 191) / 12;
        for (int row = top; row <= bottom; ++row) {
            for (int column = left; column <= right; ++column) {
                if (!TileAhead(tiles_[static_cast<std::size_t>(row * 48 + column)], ahead, sung)) {
                    return false;
                }
            }
        }
        return true;
    }

    bool TileAhead(const TileQueue& queue, std::int64_t ahead, std::int64_t sung) const {
        const Target* last = nullptr;
        for (std::size_t k = 1; k < queue.targets.size(); ++k) {
            const std::size_t index = static_cast<std::size_t>(queue.targets[k]);
            if (targets_[index].deadline > sung) break;
            if (timeline_.changes[index - kVisibleTiles].word < 0) last = &targets_[index];
        }
        return last == nullptr || (last->completion != kUnsent && last->completion <= ahead);
    }

    const ScreenTimeline& timeline_;
    const std::int64_t sectorCount_;
    const ScheduleOptions& options_;
    std::vector<TilePixels> pictureTiles_;
    std::vector<Target> targets_;
    std::vector<TileQueue> tiles_ = std::vector<TileQueue>(kVisibleTiles);
};

}  // namespace

PacketSchedule SchedulePackets(const ScreenTimeline& timeline, std::int64_t sectorCount,
                               const ScheduleOptions& options) {
    return Scheduler(timeline, sectorCount, options).Run();
}

std::string LatenessLine(const LyricsLateness& lateness) {
    std::string line = "Lyrics: " + std::to_string(lateness.lines) + " lines, " +
                       std::to_string(lateness.words) + " words, " +
                       std::to_string(lateness.lateWords) + " late (latest " +
                       std::to_string(lateness.latestMs) + " ms)";
    if (lateness.linesNotAhead > 0) {
        line += ", " + std::to_string(lateness.linesNotAhead) + " shown less than " +
                std::to_string(lateness.leadMs) + " ms ahead";
    }
    if (lateness.unsentChanges > 0) {
        line += ", " + std::to_string(lateness.unsentChanges) + " changes past the recording's end";
    }
    return line;
}

}  // namespace orvane
