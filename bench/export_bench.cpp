// The export against the tools a user would reach for instead, in the same
// run on the same 80-minute image: `cp` of the image for .cdg + .wav, and
// ffmpeg's own LAME encoding of the .wav for the .mp3. Each export runs in a
// child process, so its peak memory (ru_maxrss) is its own; the
// everything-at-once runs on a short and a long image show it flat.
// One iteration each is a long run already:
//   orvane_export_bench --benchmark_repetitions=3
//       --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "encoder/progress_sink.h"
#include "export/image_export.h"

namespace {

using namespace orvane;

constexpr std::uint64_t kSectorsPerMinute = 75 * 60;

// Music-like sound (a chord that moves, a little noise) and busy subcode.
void WriteImage(const std::string& path, std::uint64_t sectors) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    std::vector<std::uint8_t> sector(2448);
    std::uint32_t noise = 1;
    for (std::uint64_t s = 0; s < sectors; ++s) {
        for (int i = 0; i < 588; ++i) {
            const double t = static_cast<double>(s * 588 + i) / 44100.0;
            const double f0 = 220.0 * (1.0 + 0.25 * std::floor(std::fmod(t, 8.0) / 2.0));
            noise = noise * 1664525u + 1013904223u;
            const double v = 6000 * std::sin(2 * M_PI * f0 * t) +
                             4000 * std::sin(2 * M_PI * f0 * 1.5 * t) +
                             static_cast<int>(noise >> 20) - 2048;
            const auto left = static_cast<std::int16_t>(v);
            const auto right = static_cast<std::int16_t>(v * 0.8);
            sector[i * 4] = static_cast<std::uint8_t>(left);
            sector[i * 4 + 1] = static_cast<std::uint8_t>(left >> 8);
            sector[i * 4 + 2] = static_cast<std::uint8_t>(right);
            sector[i * 4 + 3] = static_cast<std::uint8_t>(right >> 8);
        }
        for (int i = 2352; i < 2448; ++i) sector[i] = static_cast<std::uint8_t>(noise >> (i % 24));
        std::fwrite(sector.data(), 1, sector.size(), f);
    }
    std::fclose(f);
}

struct Images {
    std::string dir;
    Images() {
        const char* base = std::getenv("ORVANE_BENCH_DIR");
        std::string pattern = std::string(base ? base : "/tmp") + "/orvane-export-bench-XXXXXX";
        dir = ::mkdtemp(pattern.data()) ? pattern : "/tmp";
        WriteImage(Image(80), 80 * kSectorsPerMinute);
        WriteImage(Image(2), 2 * kSectorsPerMinute);
        std::system(("cp " + Image(80) + " " + Image(20)).c_str());
        std::filesystem::resize_file(Image(20), 20 * kSectorsPerMinute * 2448);
    }
    ~Images() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string Image(int minutes) const {
        return dir + "/song" + std::to_string(minutes) + ".img";
    }
    std::string Out(const std::string& name) const { return dir + "/" + name; }
};

Images& TheImages() {
    static Images images;
    return images;
}

// Runs `work` in a child; its peak resident set in MiB, or -1 on failure.
double RunInChild(const std::function<bool()>& work) {
    const pid_t pid = fork();
    if (pid == 0) _exit(work() ? 0 : 1);
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

bool Export(int minutes, ExportTargets targets) {
    ExportRequest request;
    request.image = TheImages().Image(minutes);
    request.targets = std::move(targets);
    request.replace = true;
    NullProgress progress;
    return RunExport(request, progress).status == ExportStatus::Completed;
}

void Measure(benchmark::State& state, const std::function<bool()>& work) {
    TheImages();
    double peak = 0;
    for (auto _ : state) {
        peak = RunInChild(work);
        if (peak < 0) state.SkipWithError("failed");
    }
    state.counters["peak_rss_MiB"] = peak;
}

void BM_CpImage(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(state, [&] {
        return std::system(("cp " + im.Image(80) + " " + im.Out("copy.img")).c_str()) == 0;
    });
}
BENCHMARK(BM_CpImage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ExportCdgWav(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(state, [&] {
        ExportTargets t;
        t.cdg = im.Out("song.cdg");
        t.wav = im.Out("song.wav");
        return Export(80, t);
    });
}
BENCHMARK(BM_ExportCdgWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_FfmpegMp3FromWav(benchmark::State& state) {
    const Images& im = TheImages();
    if (!std::filesystem::exists(im.Out("song.wav"))) {
        ExportTargets t;
        t.wav = im.Out("song.wav");
        Export(80, t);
    }
    Measure(state, [&] {
        return std::system(("ffmpeg -nostdin -v error -y -i " + im.Out("song.wav") +
                            " -c:a libmp3lame -b:a 192k " + im.Out("ffmpeg.mp3"))
                               .c_str()) == 0;
    });
}
BENCHMARK(BM_FfmpegMp3FromWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ExportMp3(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(state, [&] {
        ExportTargets t;
        t.mp3 = im.Out("song.mp3");
        return Export(80, t);
    });
}
BENCHMARK(BM_ExportMp3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Every kind at once, on 2 and 20 minutes: the peak memory stays the same.
void BM_ExportEverything(benchmark::State& state) {
    const Images& im = TheImages();
    const int minutes = static_cast<int>(state.range(0));
    Measure(state, [&] {
        ExportTargets t;
        t.cdg = im.Out("all.cdg");
        t.wav = im.Out("all.wav");
        t.mp3 = im.Out("all.mp3");
        t.mp3Zip = im.Out("all.zip");
        t.wavZip = im.Out("all-wav.zip");
        t.toc = im.Out("all.toc");
        return Export(minutes, t);
    });
}
BENCHMARK(BM_ExportEverything)
    ->Arg(2)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
