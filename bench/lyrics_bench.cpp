// The lyrics track's layout and rendering for a four-minute song (50 lines,
// about 300 timed words) over a busy 16-colour picture: the whole
// BuildScreenTimeline, and its parts (the picture's colours, the layout).
// The packet scheduler runs after it, so this has to stay well under the
// three seconds the whole encoding may take. Peak memory of a song twice as
// long, in a child process, shows it flat (the states it returns aside).
//   orvane_lyrics_bench --benchmark_repetitions=3
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "lyrics/lyrics_layout.h"
#include "lyrics/palette_reserve.h"
#include "lyrics/timeline_builder.h"
#include "tests/lyrics/lyrics_song.h"

namespace {

using namespace orvane;

constexpr std::int64_t kFourMinutes = 240 * 75;

void BM_Timeline4Min(benchmark::State& state) {
    const Picture picture = test::PhotoPicture();
    const Lyrics song = test::TestSong(50);
    std::size_t states = 0;
    for (auto _ : state) {
        const ScreenTimelineResult result = BuildScreenTimeline(picture, song, {}, kFourMinutes);
        if (!result.ok) state.SkipWithError(result.message.c_str());
        states = result.timeline.changes.size();
    }
    state.counters["tile_states"] = static_cast<double>(states);
    state.counters["words"] = static_cast<double>(song.WordCount());
}
BENCHMARK(BM_Timeline4Min)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReservePalette(benchmark::State& state) {
    const Picture picture = test::PhotoPicture();
    const LyricsStyle style;
    for (auto _ : state) {
        Picture out;
        bool reduced = false;
        benchmark::DoNotOptimize(ReservePalette(picture, style, out, reduced));
    }
}
BENCHMARK(BM_ReservePalette)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Layout4Min(benchmark::State& state) {
    const Lyrics song = test::TestSong(50);
    for (auto _ : state) benchmark::DoNotOptimize(LayOutLyrics(song, {}, kFourMinutes * 40 / 3));
}
BENCHMARK(BM_Layout4Min)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr const char* kChildFlag = "--timeline-lines=";

int BuildInChild(int lines) {
    const ScreenTimelineResult result = BuildScreenTimeline(
        test::PhotoPicture(), test::TestSong(lines), {}, kFourMinutes * lines / 50);
    return result.ok ? 0 : 1;
}

// Peak resident memory (KiB) of a child that builds the timeline of a song
// with `lines` lines over lines / 50 x four minutes. The child is this
// program run afresh: libimagequant's OpenMP threads do not survive a bare
// fork.
long PeakKib(int lines) {
    const std::string flag = kChildFlag + std::to_string(lines);
    const pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", "orvane_lyrics_bench", flag.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || status != 0) return -1;
    return usage.ru_maxrss;
}

void BM_PeakMemory(benchmark::State& state) {
    long four = 0, eight = 0;
    for (auto _ : state) {
        four = PeakKib(50);
        eight = PeakKib(100);
    }
    state.counters["peak_kib_4min"] = static_cast<double>(four);
    state.counters["peak_kib_8min"] = static_cast<double>(eight);
}
BENCHMARK(BM_PeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    const std::string flag = kChildFlag;
    if (argc == 2 && std::string(argv[1]).rfind(flag, 0) == 0)
        return BuildInChild(std::atoi(argv[1] + flag.size()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
