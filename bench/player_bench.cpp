// The player's costs on 80-minute images (360,000 sectors, 881 MB):
// decoding a whole image to its last screen, against creating that image
// with the encoder in the same run; and seeking anywhere in an image whose
// graphics never stop (the worst case: every seek decodes from a snapshot).
//   orvane_player_bench --benchmark_repetitions=3
// The files (about 2.6 GB) are made once per run under /tmp and removed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "encoder/creation_job.h"
#include "player/cdg_player.h"
#include "player/screen_render.h"

namespace {

using namespace orvane;

constexpr std::uint64_t kSectors = 80 * 60 * 75;
constexpr std::int64_t kHeaderBytes = 44;
constexpr std::int64_t kAudioBytes = static_cast<std::int64_t>(kSectors * kSectorAudioBytes);

void WriteNoise(std::FILE* f, std::uint64_t bytes, std::mt19937& rng) {
    std::vector<std::uint8_t> chunk(1 << 20);
    while (bytes > 0) {
        for (auto& b : chunk) b = static_cast<std::uint8_t>(rng());
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(bytes, chunk.size()));
        std::fwrite(chunk.data(), 1, n, f);
        bytes -= n;
    }
}

// Sector after sector of random graphics packets: tiles, XOR tiles, scrolls
// and colour loads, with silent audio.
void WriteBusyImage(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::mt19937 rng(4);
    std::vector<std::uint8_t> sector(kRawSectorBytes);
    const std::uint8_t instructions[] = {6, 38, 38, 6, 38, 6, 24, 30, 31, 20};
    for (std::uint64_t s = 0; s < kSectors; ++s) {
        for (std::size_t p = 0; p < 4; ++p) {
            std::uint8_t* packet = &sector[kSectorAudioBytes + p * 24];
            packet[0] = 9;
            packet[1] = instructions[rng() % 10];
            for (std::size_t k = 4; k < 20; ++k)
                packet[k] = static_cast<std::uint8_t>(rng() & 0x3F);
        }
        std::fwrite(sector.data(), 1, sector.size(), f);
    }
    std::fclose(f);
}

struct Files {
    std::string dir, wave, image, busy;
    Files() {
        char pattern[] = "/tmp/orvane-player-bench-XXXXXX";
        dir = ::mkdtemp(pattern) ? pattern : "/tmp";
        wave = dir + "/in.wav";
        image = dir + "/out.cdg";
        busy = dir + "/busy.cdg";
        std::FILE* f = std::fopen(wave.c_str(), "wb");
        if (f) {
            std::mt19937 rng(1);
            WriteNoise(f, kHeaderBytes + kAudioBytes, rng);
            std::fclose(f);
        }
        WriteBusyImage(busy);
    }
    ~Files() {
        for (const auto& p : {wave, image, busy}) std::remove(p.c_str());
        ::rmdir(dir.c_str());
    }
};

Files& TheFiles() {
    static Files files;
    return files;
}

class NoSink : public StatusSink {
  public:
    void Send(JobStatus, int) override {}
};

void SetImageBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(kSectors * kRawSectorBytes));
}

void BM_CreateImage80Min(benchmark::State& state) {
    Files& files = TheFiles();
    JobInputs inputs;
    InitPicture(inputs.picture);
    std::mt19937 rng(2);
    for (auto& b : inputs.picture.pixels) b = static_cast<std::uint8_t>(rng());
    inputs.wavePath = files.wave;
    inputs.outputPath = files.image;
    inputs.audioDataOffset = kHeaderBytes;
    inputs.audioByteCount = kAudioBytes;
    JobState jobState;
    NoSink sink;
    for (auto _ : state) {
        jobState.stopRequested = false;
        CreationJob(inputs, jobState, sink);
        if (jobState.readFailed || jobState.writeFailed) state.SkipWithError("job failed");
    }
    SetImageBytes(state);
}
BENCHMARK(BM_CreateImage80Min)->Unit(benchmark::kMillisecond)->UseRealTime();

// Open reads and decodes every sector once; its final screen is the last one.
void DecodeWhole(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        CdgPlayer player;
        if (player.Open(path) || player.sectorCount() != kSectors) {
            state.SkipWithError("cannot open the image");
            break;
        }
        benchmark::DoNotOptimize(player.FinalScreen());
    }
    SetImageBytes(state);
}

void BM_DecodeOrvaneImage80Min(benchmark::State& state) {
    DecodeWhole(state, TheFiles().image);
}
BENCHMARK(BM_DecodeOrvaneImage80Min)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeBusyImage80Min(benchmark::State& state) {
    DecodeWhole(state, TheFiles().busy);
}
BENCHMARK(BM_DecodeBusyImage80Min)->Unit(benchmark::kMillisecond)->UseRealTime();

const CdgPlayer& BusyPlayer() {
    static CdgPlayer player;
    static const bool opened = !player.Open(TheFiles().busy);
    (void)opened;
    return player;
}

// A jump to a random sector: the nearest snapshot plus up to 750 sectors.
void BM_SeekAnywhereBusy80Min(benchmark::State& state) {
    const CdgPlayer& player = BusyPlayer();
    std::mt19937_64 rng(5);
    CdgScreen screen;
    for (auto _ : state) {
        if (player.ScreenAfter(rng() % kSectors, screen)) state.SkipWithError("seek failed");
        benchmark::DoNotOptimize(screen);
    }
}
BENCHMARK(BM_SeekAnywhereBusy80Min)->Unit(benchmark::kMillisecond)->UseRealTime();

// The worst jump: just before a snapshot, so 749 sectors are decoded.
void BM_SeekWorstBusy80Min(benchmark::State& state) {
    const CdgPlayer& player = BusyPlayer();
    std::mt19937_64 rng(6);
    CdgScreen screen;
    for (auto _ : state) {
        const std::uint64_t at = (rng() % (kSectors / 750)) * 750 + 749;
        if (player.ScreenAfter(at, screen)) state.SkipWithError("seek failed");
        benchmark::DoNotOptimize(screen);
    }
}
BENCHMARK(BM_SeekWorstBusy80Min)->Unit(benchmark::kMillisecond)->UseRealTime();

// Playing: a cursor moving one frame (1/30 s, 2.5 sectors) at a time.
void BM_PlayForwardBusy(benchmark::State& state) {
    ScreenCursor cursor(BusyPlayer());
    std::uint64_t at = 0;
    for (auto _ : state) {
        at = (at + 3) % kSectors;
        if (cursor.MoveTo(at)) state.SkipWithError("move failed");
        benchmark::DoNotOptimize(cursor.screen());
    }
}
BENCHMARK(BM_PlayForwardBusy)->Unit(benchmark::kMicrosecond);

// Drawing one frame's pixels, offsets set: what the window does per frame.
void BM_RenderRgb(benchmark::State& state) {
    CdgDecoder decoder;
    const std::uint8_t scroll[24] = {9, 20, 0, 0, 0, 3, 7};
    decoder.ApplyPacket(scroll);
    RgbScreen rgb;
    for (auto _ : state) {
        RenderRgb(decoder.screen(), rgb.data());
        benchmark::DoNotOptimize(rgb);
    }
}
BENCHMARK(BM_RenderRgb)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
