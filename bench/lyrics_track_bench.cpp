// A lyrics track made end to end, as orvane-cli --lyrics makes it before the
// job starts: a 4-minute song of 50 lines and about 300 words over a busy
// picture, laid out, rendered and scheduled (MakeLyricsTrack). The 8-minute
// song has the same density: its time should double and its peak memory stay
// near the 4-minute one's (the stream is 96 bytes a sector; nothing else
// grows with the song). The scheduler alone runs on a timeline of the same
// shape. Run the two songs apart to read each one's peak:
//   orvane_lyrics_track_bench --benchmark_filter='MakeLyricsTrack/4'
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "lyrics/lyrics_track.h"
#include "tests/lyrics/lyrics_song.h"

namespace {

using namespace orvane;

void Counters(benchmark::State& state, const LyricsLateness& lateness) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["late_words"] = lateness.lateWords;
    state.counters["latest_ms"] = static_cast<double>(lateness.latestMs);
    state.counters["lines_not_ahead"] = lateness.linesNotAhead;
}

void BM_MakeLyricsTrack(benchmark::State& state) {
    const int minutes = static_cast<int>(state.range(0));
    const Lyrics song = test::TestSong(50 * minutes / 4);
    const Picture picture = test::PhotoPicture();
    LyricsTrack track;
    for (auto _ : state) {
        track = MakeLyricsTrack(picture, song, LayoutOptions{}, minutes * 60 * 75);
        benchmark::DoNotOptimize(track.stream);
    }
    if (!track.ok) {
        state.SkipWithError(track.message.c_str());
        return;
    }
    std::fprintf(stderr, "%d min: %s\n", minutes, LatenessLine(track.lateness).c_str());
    Counters(state, track.lateness);
}
BENCHMARK(BM_MakeLyricsTrack)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

// The scheduler's share: a timeline shaped like a song's (a line of 48 tiles
// drawn ahead, 6 words of 8 wipe steps over 3 tiles each, then cleared).
ScreenTimeline SyntheticTimeline(int lines) {
    ScreenTimeline timeline;
    timeline.picture = test::PhotoPicture();
    for (int l = 0; l < lines; ++l) {
        const std::int64_t first = 900 + l * 340;  // sectors
        const int row = 10 + (l % 2) * 3;
        TileState state;
        for (int c = 0; c < 48; ++c) {  // appear
            state = {first - 75, first - 300, row * 48 + c, -1, {}};
            for (std::size_t i = 0; i < state.pixels.size(); ++i) {
                state.pixels[i] = (i + c) % 3 == 0 ? kUnsungIndex : kOutlineIndex;
            }
            timeline.changes.push_back(state);
        }
        for (int w = 0; w < 6; ++w) {
            timeline.words.push_back(
                {(first + w * 34) * 1000 / 75, (first + w * 34 + 34) * 1000 / 75, l});
            for (int step = 0; step < 8; ++step) {
                for (int r = 0; r < 3; ++r) {
                    state = {first + w * 34 + step * 4,
                             first + w * 34 + step * 4,
                             (row + r - 1) * 48 + w * 8 + step,
                             l * 6 + w,
                             {}};
                    state.pixels.fill(kSungIndex);
                    timeline.changes.push_back(state);
                }
            }
        }
        timeline.lines.push_back({first * 1000 / 75, 0, row * 12 - 12, 288, row * 12 + 24});
    }
    std::stable_sort(
        timeline.changes.begin(), timeline.changes.end(),
        [](const TileState& a, const TileState& b) { return a.deadline < b.deadline; });
    return timeline;
}

void BM_ScheduleOnly(benchmark::State& state) {
    const ScreenTimeline timeline = SyntheticTimeline(50);
    PacketSchedule schedule;
    for (auto _ : state) {
        schedule = SchedulePackets(timeline, 4 * 60 * 75, {});
        benchmark::DoNotOptimize(schedule.blocks.data());
    }
    Counters(state, schedule.lateness);
}
BENCHMARK(BM_ScheduleOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
