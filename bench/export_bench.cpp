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
        std::filesystem::copy_file(Image(80), Image(20),
                                   std::filesystem::copy_options::overwrite_existing);
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

struct ChildUsage {
    bool ok = false;
    double peakMiB = 0;     // peak resident set
    double cpuSeconds = 0;  // user + system, the child's and its own children's
};

// Runs `work` in a child of its own.
ChildUsage RunInChild(const std::function<bool()>& work) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(work() ? 0 : 1);
    }
    int status = 0;
    struct rusage usage {};
    ChildUsage result;
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return result;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return result;
}

bool Export(int minutes, ExportTargets targets) {
    ExportRequest request;
    request.image = TheImages().Image(minutes);
    request.targets = std::move(targets);
    request.replace = true;
    NullProgress progress;
    return RunExport(request, progress).status == ExportStatus::Completed;
}

// The wall time is the benchmark's; on a busy machine the CPU time (the
// child's, with what it ran itself, such as cp or ffmpeg) compares better.
// `fresh`: files the work writes, removed first so no run pays for replacing them.
void Measure(benchmark::State& state, const std::function<bool()>& work,
             std::initializer_list<const char*> fresh) {
    const Images& im = TheImages();
    for (const char* name : fresh) std::filesystem::remove(im.Out(name));
    ChildUsage usage;
    for (auto _ : state) {
        usage = RunInChild(work);
        if (!usage.ok) state.SkipWithError("failed");
    }
    state.counters["peak_rss_MiB"] = usage.peakMiB;
    state.counters["cpu_s"] = usage.cpuSeconds;
}

void BM_CpImage(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(
        state,
        [&] { return std::system(("cp " + im.Image(80) + " " + im.Out("copy.img")).c_str()) == 0; },
        {"copy.img"});
}
BENCHMARK(BM_CpImage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same copy made as safe as an export's files: on the disk before it ends.
void BM_CpImageThenSync(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(state,
            [&] {
                const std::string copy = im.Out("copy.img");
                return std::system(
                           ("cp " + im.Image(80) + " " + copy + " && sync " + copy).c_str()) == 0;
            },
            {"copy.img"});
}
BENCHMARK(BM_CpImageThenSync)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ExportCdgWav(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(state,
            [&] {
                ExportTargets t;
                t.cdg = im.Out("song.cdg");
                t.wav = im.Out("song.wav");
                return Export(80, t);
            },
            {"song.cdg", "song.wav"});
}
BENCHMARK(BM_ExportCdgWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_FfmpegMp3FromWav(benchmark::State& state) {
    const Images& im = TheImages();
    if (!std::filesystem::exists(im.Out("song.wav"))) {
        ExportTargets t;
        t.wav = im.Out("song.wav");
        Export(80, t);
    }
    Measure(state,
            [&] {
                return std::system(("ffmpeg -nostdin -v error -y -i " + im.Out("song.wav") +
                                    " -c:a libmp3lame -b:a 192k " + im.Out("ffmpeg.mp3"))
                                       .c_str()) == 0;
            },
            {"ffmpeg.mp3"});
}
BENCHMARK(BM_FfmpegMp3FromWav)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_ExportMp3(benchmark::State& state) {
    const Images& im = TheImages();
    Measure(state,
            [&] {
                ExportTargets t;
                t.mp3 = im.Out("song.mp3");
                return Export(80, t);
            },
            {"song.mp3"});
}
BENCHMARK(BM_ExportMp3)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Every kind at once, on 2 and 20 minutes: the peak memory stays the same.
void BM_ExportEverything(benchmark::State& state) {
    const Images& im = TheImages();
    const int minutes = static_cast<int>(state.range(0));
    Measure(state,
            [&] {
                ExportTargets t;
                t.cdg = im.Out("all.cdg");
                t.wav = im.Out("all.wav");
                t.mp3 = im.Out("all.mp3");
                t.mp3Zip = im.Out("all.zip");
                t.wavZip = im.Out("all-wav.zip");
                t.toc = im.Out("all.toc");
                return Export(minutes, t);
            },
            {"all.cdg", "all.wav", "all.mp3", "all.zip", "all-wav.zip", "all.toc"});
}
BENCHMARK(BM_ExportEverything)
    ->Arg(2)
    ->Arg(20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
