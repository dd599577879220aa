// Where the sound being heard stands, worked out from what the sound device
// was handed and when, with no device or toolkit in it (so it is tested with
// made-up times).
//
// A buffer handed to the device is heard only after what the device still
// holds in front of it (its latency) has played. Between hand-overs the
// position runs on with real time, but never past the end of what the device
// has been given: a device that stops taking sound stops the clock, where a
// wall clock would run on.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace orvane {

class AudioClock {
  public:
    using Clock = std::chrono::steady_clock;

    // A stream of `totalBytes` (whole 4-byte frames, 176,400 a second) played
    // through a device that holds `latencyBytes` in front of each buffer it
    // is handed. Stands at 0.
    void Reset(std::uint64_t totalBytes, std::uint64_t latencyBytes);

    // Stands still at `bytes` from `at` on: paused, or playing but waiting
    // for the device to take the sound from there (after a seek or a start).
    void Hold(std::uint64_t bytes, Clock::time_point at);
    // Runs with time alone from `bytes` at `at` (no device).
    void Run(std::uint64_t bytes, Clock::time_point at);
    // The device took bytes [from, from + length) at `at`. Sound from before
    // the last Hold that the device still holds does not move the clock back.
    void HandOver(std::uint64_t from, std::uint64_t length, Clock::time_point at);

    // The byte heard at `when`, in whole frames, never past the end. `when`
    // may lie a little in the past (the moment a key was pressed): the clock
    // keeps its last kKept changes. Before those, the oldest one's start.
    std::uint64_t At(Clock::time_point when) const;

    static constexpr std::size_t kKept = 64;

  private:
    // From `time` on: `start` plus the time since, within [low, high]; or
    // `low` while it stands still.
    struct Anchor {
        Clock::time_point time{};
        std::int64_t start = 0;
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        bool runs = false;
        std::uint64_t ValueAt(Clock::time_point when) const;
    };
    void Add(const Anchor& anchor);

    std::uint64_t total_ = 0;
    std::uint64_t latency_ = 0;
    // Where the last Hold stood: the sound the device plays from there on.
    std::uint64_t floor_ = 0;
    std::array<Anchor, kKept> anchors_{};
    std::size_t newest_ = 0;
    std::size_t count_ = 0;
};

}  // namespace orvane
