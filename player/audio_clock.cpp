#include "player/audio_clock.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::uint64_t kBytesPerSecond = 176400;
constexpr std::uint64_t kFrameBytes = 4;

std::uint64_t WholeFrames(std::uint64_t bytes) {
    return bytes - bytes % kFrameBytes;
}

}  // namespace

std::uint64_t AudioClock::Anchor::ValueAt(Clock::time_point when) const {
    if (!runs || when <= time) return low;
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(when - time);
    const auto ran = static_cast<std::int64_t>(static_cast<std::uint64_t>(elapsed.count()) *
                                               kBytesPerSecond / 1000000);
    const std::int64_t at = start + ran;
    if (at <= static_cast<std::int64_t>(low)) return low;
    return WholeFrames(std::min(static_cast<std::uint64_t>(at), high));
}

void AudioClock::Reset(std::uint64_t totalBytes, std::uint64_t latencyBytes) {
    total_ = WholeFrames(totalBytes);
    latency_ = WholeFrames(latencyBytes);
    count_ = 0;
    Hold(0, Clock::now());
}

void AudioClock::Hold(std::uint64_t bytes, Clock::time_point at) {
    floor_ = std::min(WholeFrames(bytes), total_);
    Add({at, static_cast<std::int64_t>(floor_), floor_, floor_, false});
}

void AudioClock::Run(std::uint64_t bytes, Clock::time_point at) {
    floor_ = std::min(WholeFrames(bytes), total_);
    Add({at, static_cast<std::int64_t>(floor_), floor_, total_, true});
}

// Heard now: what the device held in front of this buffer is still playing,
// so the buffer's first byte is `latency` away. By the next hand-over the
// device has played this buffer's length, and no further unless it takes
// more.
void AudioClock::HandOver(std::uint64_t from, std::uint64_t length, Clock::time_point at) {
    const std::int64_t start =
        static_cast<std::int64_t>(from) - static_cast<std::int64_t>(latency_);
    const std::int64_t end = start + static_cast<std::int64_t>(length);
    const std::uint64_t high = end <= static_cast<std::int64_t>(floor_)
                                   ? floor_
                                   : std::min(static_cast<std::uint64_t>(end), total_);
    Add({at, start, floor_, high, true});
}

void AudioClock::Add(const Anchor& anchor) {
    newest_ = count_ == 0 ? 0 : (newest_ + 1) % kKept;
    anchors_[newest_] = anchor;
    count_ = std::min(count_ + 1, kKept);
}

std::uint64_t AudioClock::At(Clock::time_point when) const {
    if (count_ == 0) return 0;
    for (std::size_t back = 0; back < count_; ++back) {
        const Anchor& anchor = anchors_[(newest_ + kKept - back) % kKept];
        if (anchor.time <= when) return anchor.ValueAt(when);
    }
    return anchors_[(newest_ + kKept - (count_ - 1)) % kKept].low;
}

}  // namespace orvane
