// Conversion against the commands a user would otherwise type:
//   a 24-megapixel JPEG to the BMP vs
//     convert IN -resize 288x192 -colors 16 BMP3:OUT.bmp
//   a five-minute MP3 to the WAVE vs
//     ffmpeg -i IN -ar 44100 -ac 2 -c:a pcm_s16le OUT.wav
// and the quality of both pictures: PSNR against the resized full-colour
// picture as a player shows it (each component keeps its high four bits),
// reported as counters by BM_PictureQuality. Inputs are made at start-up in
// $TMPDIR (a few seconds). Compare times interleaved:
//   orvane_convert_bench --benchmark_repetitions=5
//       --benchmark_enable_random_interleaving=true
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "convert/picture_convert.h"
#include "convert/recording_convert.h"

namespace {

namespace fs = std::filesystem;
using Pixels = std::vector<std::uint8_t>;

const fs::path& Dir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("orvane-bench-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}
std::string File(const std::string& name) {
    return (Dir() / name).string();
}

bool Run(const std::string& command) {
    return std::system(("(" + command + ") > /dev/null 2>&1").c_str()) == 0;
}

Pixels Capture(const std::string& command) {
    Pixels out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::uint8_t buf[65536];
        for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
            out.insert(out.end(), buf, buf + got);
        pclose(pipe);
    }
    return out;
}

// Made once: a photo-like 6000 x 4000 JPEG and a five-minute MP3.
const std::string& Photo() {
    static const std::string path = [] {
        const std::string p = File("photo.jpg");
        Run("convert -size 1500x1000 -seed 5 plasma:fractal -blur 0x1 -resize 6000x4000! "
            "-attenuate 0.3 +noise Gaussian -quality 92 '" +
            p + "'");
        return p;
    }();
    return path;
}
const std::string& Song() {
    static const std::string path = [] {
        const std::string p = File("song.mp3");
        Run("ffmpeg -nostdin -v error -y -filter_complex "
            "'sine=f=220:d=300[a];sine=f=331:d=300[b];anoisesrc=d=300:c=pink:a=0.05[c];"
            "[a][b][c]amix=3,pan=stereo|c0=c0|c1=0.8*c0' -c:a libmp3lame -b:a 192k '" +
            p + "'");
        return p;
    }();
    return path;
}

void BM_OrvanePicture(benchmark::State& state) {
    orvane::NullProgress progress;
    for (auto _ : state) {
        if (!orvane::PreparePicture(Photo(), File("orvane.bmp"), {}, true, progress).ok())
            state.SkipWithError("conversion failed");
    }
}
BENCHMARK(BM_OrvanePicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_ImageMagickPicture(benchmark::State& state) {
    const std::string command =
        "convert '" + Photo() + "' -resize 288x192 -colors 16 BMP3:'" + File("im.bmp") + "'";
    for (auto _ : state)
        if (!Run(command)) state.SkipWithError("convert failed");
}
BENCHMARK(BM_ImageMagickPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_OrvaneRecording(benchmark::State& state) {
    orvane::NullProgress progress;
    for (auto _ : state) {
        if (!orvane::PrepareRecording(Song(), File("orvane.wav"), {}, true, progress).ok())
            state.SkipWithError("conversion failed");
    }
}
BENCHMARK(BM_OrvaneRecording)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_FfmpegRecording(benchmark::State& state) {
    const std::string command = "ffmpeg -nostdin -v error -y -i '" + Song() +
                                "' -ar 44100 -ac 2 -c:a pcm_s16le '" + File("ffmpeg.wav") + "'";
    for (auto _ : state)
        if (!Run(command)) state.SkipWithError("ffmpeg failed");
}
BENCHMARK(BM_FfmpegRecording)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// ---- Quality ----

// RGB of a picture file as a player shows it: each component's high 4 bits.
Pixels AsPlayerShows(Pixels rgb) {
    for (std::uint8_t& c : rgb) c = static_cast<std::uint8_t>((c >> 4) * 17);
    return rgb;
}

double Psnr(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += (double(a[i]) - b[i]) * (double(a[i]) - b[i]);
    return sum == 0 ? 99 : 10 * std::log10(255.0 * 255 * double(a.size()) / sum);
}

// The w x h area in the middle of a 288 x 192 RGB screen.
Pixels Middle(const Pixels& screen, int w, int h) {
    Pixels out;
    const int x0 = (288 - w) / 2, y0 = (192 - h) / 2;
    for (int y = y0; y < y0 + h; ++y)
        out.insert(out.end(), screen.begin() + (y * 288 + x0) * 3,
                   screen.begin() + (y * 288 + x0 + w) * 3);
    return out;
}

void BM_PictureQuality(benchmark::State& state, const std::string& source) {
    const std::string in = File("q.png"), ours = File("q-orvane.bmp"), theirs = File("q-im.bmp");
    double orvane = 0, magick = 0;
    for (auto _ : state) {
        if (!Run("convert " + source + " PNG24:'" + in + "'") ||
            !Run("convert '" + in + "' -resize 288x192 -colors 16 BMP3:'" + theirs + "'")) {
            state.SkipWithError("ImageMagick failed");
            return;
        }
        orvane::NullProgress progress;
        if (!orvane::PreparePicture(in, ours, {}, true, progress).ok()) {
            state.SkipWithError("conversion failed");
            return;
        }
        // ImageMagick's output keeps the picture's proportions without bars.
        const Pixels size = Capture("identify -format '%w %h' '" + theirs + "'");
        int w = 0, h = 0;
        std::sscanf(std::string(size.begin(), size.end()).c_str(), "%d %d", &w, &h);
        const std::string geometry = std::to_string(w) + "x" + std::to_string(h) + "!";
        const Pixels reference =
            AsPlayerShows(Capture("convert '" + in + "' -resize " + geometry + " -depth 8 RGB:-"));
        orvane = Psnr(Middle(AsPlayerShows(Capture("convert '" + ours + "' -depth 8 RGB:-")), w, h),
                      reference);
        magick = Psnr(AsPlayerShows(Capture("convert '" + theirs + "' -depth 8 RGB:-")), reference);
    }
    state.counters["orvane_dB"] = orvane;
    state.counters["imagemagick_dB"] = magick;
    state.counters["gain_dB"] = orvane - magick;
}
BENCHMARK_CAPTURE(BM_PictureQuality, logo, std::string("logo:"))->Iterations(1);
BENCHMARK_CAPTURE(BM_PictureQuality, rose, std::string("rose:"))->Iterations(1);
BENCHMARK_CAPTURE(BM_PictureQuality, wizard, std::string("wizard:"))->Iterations(1);
BENCHMARK_CAPTURE(BM_PictureQuality, plasma,
                  std::string("-size 900x600 -seed 11 plasma:fractal -blur 0x1"))
    ->Iterations(1);
BENCHMARK_CAPTURE(
    BM_PictureQuality, scene,
    std::string("-size 600x400 gradient:navy-gold -fill red -draw "
                "'circle 300,200 300,90' -fill white -draw 'rectangle 30,30 200,120'"))
    ->Iterations(1);
BENCHMARK_CAPTURE(BM_PictureQuality, photo, std::string("'") + Photo() + "'")->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Made before any timing starts.
    if (Photo().empty() || Song().empty() || !fs::exists(Photo()) || !fs::exists(Song())) {
        std::fprintf(stderr, "ImageMagick's convert and ffmpeg are needed to make the inputs\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(Dir(), ec);
}
