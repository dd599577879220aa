// The encoder's costs: all 768 tiles, a whole job for a three-minute
// recording, the bare read/write loop the job is measured against, and the
// flush that puts a finished image on the disk (BM_FlushImage/MINUTES: the
// fsync and close of an image just written, its writing not counted).
// The job and the bare loop each write a 33 MB file; page-cache write-back
// makes single runs noisy, so compare them interleaved:
//   orvane_encoder_bench --benchmark_repetitions=15
//       --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "encoder/creation_job.h"
#include "encoder/subcode.h"
#include "encoder/tile_encoder.h"

// Counts every allocation, so the job's loop can be shown to make none.
// GCC takes the malloc/free pair below for a mismatch; it is the replacement.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static std::atomic<long> allocations{0};
void* operator new(std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

using namespace orvane;

constexpr std::int64_t kHeaderBytes = 44;
constexpr std::int64_t kAudioBytes = 31'752'000;  // three minutes of CD audio

struct Files {
    std::string dir, wave, output;
    Files() {
        char pattern[] = "/tmp/orvane-bench-XXXXXX";
        dir = ::mkdtemp(pattern) ? pattern : "/tmp";
        wave = dir + "/in.wav";
        output = dir + "/out.cdg";
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kHeaderBytes + kAudioBytes));
        std::mt19937 rng(1);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
        std::FILE* f = std::fopen(wave.c_str(), "wb");
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    ~Files() {
        std::remove(wave.c_str());
        std::remove(output.c_str());
        ::rmdir(dir.c_str());
    }
};

Files& TheFiles() {
    static Files files;
    return files;
}

Picture NoisePicture() {
    Picture picture{};
    InitPicture(picture);
    std::mt19937 rng(2);
    for (auto& b : picture.pixels) b = static_cast<std::uint8_t>(rng());
    return picture;
}

void BM_EncodeAllTiles(benchmark::State& state) {
    const Picture picture = NoisePicture();
    TilePackets out;
    for (auto _ : state) {
        for (int t = 0; t < kTileCount; ++t) {
            EncodeTile(picture, t, out);
            benchmark::DoNotOptimize(out);
        }
    }
    state.SetItemsProcessed(state.iterations() * kTileCount);
}
BENCHMARK(BM_EncodeAllTiles)->Unit(benchmark::kMicrosecond);

class NoSink : public StatusSink {
  public:
    void Send(JobStatus, int) override {}
};

void SetImageBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * (kAudioBytes / 2352) * 2448);
}

void BM_WholeJob(benchmark::State& state) {
    Files& files = TheFiles();
    JobInputs inputs;
    inputs.picture = NoisePicture();
    inputs.wavePath = files.wave;
    inputs.outputPath = files.output;
    inputs.audioDataOffset = kHeaderBytes;
    inputs.audioByteCount = kAudioBytes;
    JobState jobState;
    NoSink sink;
    long allocated = 0;
    for (auto _ : state) {
        jobState.stopRequested = false;
        const long before = allocations.load();
        CreationJob(inputs, jobState, sink);
        allocated += allocations.load() - before;
        if (jobState.readFailed || jobState.writeFailed) state.SkipWithError("job failed");
    }
    state.counters["allocations"] = static_cast<double>(allocated);
    SetImageBytes(state);
}
BENCHMARK(BM_WholeJob)->Unit(benchmark::kMillisecond)->UseRealTime();

// The job's I/O pattern and nothing else: the floor the job is held to.
void BM_BareSameLoop(benchmark::State& state) {
    Files& files = TheFiles();
    static std::uint8_t audio[2352];
    static const std::uint8_t subcode[96] = {};
    bool ok = true;
    for (auto _ : state) {
        const int in = ::open(files.wave.c_str(), O_RDWR);
        const int out = ::open(files.output.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        ok = ok && ::read(in, audio, kHeaderBytes) == kHeaderBytes;
        for (std::int64_t s = 0; s < kAudioBytes / 2352; ++s) {
            ok = ok && ::read(in, audio, 2352) == 2352;
            ok = ok && ::write(out, audio, 2352) == 2352;
            ok = ok && ::write(out, subcode, 96) == 96;
        }
        ::close(in);
        ::close(out);
    }
    if (!ok) state.SkipWithError("I/O failed");
    SetImageBytes(state);
}
BENCHMARK(BM_BareSameLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same bytes in 1 MiB pieces: what the storage itself allows.
void BM_PlainCopy(benchmark::State& state) {
    Files& files = TheFiles();
    std::vector<std::uint8_t> buffer(1 << 20);
    bool ok = true;
    for (auto _ : state) {
        const int in = ::open(files.wave.c_str(), O_RDONLY);
        const int out = ::open(files.output.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        ssize_t n;
        while ((n = ::read(in, buffer.data(), buffer.size())) > 0) {
            ok = ok && ::write(out, buffer.data(), static_cast<std::size_t>(n)) == n;
        }
        ::close(in);
        ::close(out);
    }
    if (!ok) state.SkipWithError("I/O failed");
    state.SetBytesProcessed(state.iterations() * (kHeaderBytes + kAudioBytes));
}
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the job's final fsync and close cost for an image of state.range(0)
// minutes whose bytes are still in the page cache, as they are when the job
// has just written them.
void BM_FlushImage(benchmark::State& state) {
    Files& files = TheFiles();
    const std::int64_t imageBytes = state.range(0) * 60 * 75 * 2448;
    std::vector<std::uint8_t> chunk(1 << 20);
    std::mt19937 rng(3);
    for (auto& b : chunk) b = static_cast<std::uint8_t>(rng());
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        const int out = ::open(files.output.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        for (std::int64_t left = imageBytes; left > 0 && ok;) {
            const auto n = static_cast<std::size_t>(
                std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size())));
            ok = ::write(out, chunk.data(), n) == static_cast<ssize_t>(n);
            left -= static_cast<std::int64_t>(n);
        }
        state.ResumeTiming();
        ok = ok && ::fsync(out) == 0;
        ok = ::close(out) == 0 && ok;
    }
    if (!ok) state.SkipWithError("I/O failed");
    state.SetBytesProcessed(state.iterations() * imageBytes);
}
BENCHMARK(BM_FlushImage)
    ->Arg(3)
    ->Arg(80)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
