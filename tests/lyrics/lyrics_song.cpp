#include "tests/lyrics/lyrics_song.h"

#include <algorithm>
#include <cmath>

#include "convert/palette_reduce.h"

namespace orvane::test {
namespace {

const char* const kWords[] = {
    "love",    "night",  "heart",   "dream",   "light",  "dance",   "river",   "stone",   "fire",
    "rain",    "summer", "road",    "home",    "star",   "open",    "window",  "morning", "golden",
    "silver",  "ocean",  "city",    "lonely",  "shadow", "whisper", "forever", "never",   "always",
    "tonight", "hold",   "me",      "you",     "we",     "are",     "the",     "and",     "in",
    "my",      "your",   "our",     "on",      "sing",   "song",    "young",   "wild",    "free",
    "blue",    "green",  "red",     "sky",     "time",   "wait",    "run",     "fly",     "come",
    "back",    "again",  "calling", "falling", "over",   "under"};
constexpr std::uint32_t kWordCount = sizeof kWords / sizeof kWords[0];

// A small generator of our own: the same song on every standard library.
struct Lcg {
    std::uint32_t state;
    std::uint32_t Next(std::uint32_t below) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % below;
    }
};

void AddWord(LyricsLine& line, const std::string& word, bool last, std::int64_t start,
             std::int64_t length, SyllableEffect effect, bool split) {
    const std::string text = last ? word : word + " ";
    if (split && word.size() >= 5) {
        const std::size_t cut = word.size() / 2;
        line.syllables.push_back({text.substr(0, cut), start, start + length / 2, effect});
        line.syllables.push_back({text.substr(cut), start + length / 2, start + length, effect});
    } else {
        line.syllables.push_back({text, start, start + length, effect});
    }
}

// Smooth noise of several octaves, like ImageMagick's plasma: soft
// clouds of colour with detail at every scale, 0 .. 1.
class Clouds {
  public:
    explicit Clouds(std::uint32_t seed) {
        Lcg random{seed};
        for (double& v : lattice_) v = random.Next(1000) / 999.0;
    }
    double At(double x, double y) const {
        double sum = 0, weight = 0, amplitude = 1;
        for (int octave = 0; octave < 6; ++octave, amplitude *= 0.55) {
            const double scale = 1.0 / (64 >> octave);
            sum += amplitude * Smooth(x * scale + octave * 7.3, y * scale + octave * 3.1);
            weight += amplitude;
        }
        return sum / weight;
    }

  private:
    static constexpr int kSize = 64;
    double Lattice(int x, int y) const {
        return lattice_[(y & (kSize - 1)) * kSize + (x & (kSize - 1))];
    }
    double Smooth(double x, double y) const {
        const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const double top = Lattice(x0, y0) + sx * (Lattice(x0 + 1, y0) - Lattice(x0, y0));
        const double bottom =
            Lattice(x0, y0 + 1) + sx * (Lattice(x0 + 1, y0 + 1) - Lattice(x0, y0 + 1));
        return top + sy * (bottom - top);
    }
    double lattice_[kSize * kSize];
};

}  // namespace

Lyrics TestSong(int lines) {
    Lyrics lyrics;
    lyrics.title = "Golden River";
    lyrics.artist = "The Test Singers";
    Lcg random{12345};
    std::int64_t at = 12000;
    int wordNumber = 0;
    for (int i = 0; i < lines; ++i) {
        if (i == lines / 2) at += 10000;
        LyricsLine line;
        line.sourceLine = i + 1;
        const int words = 4 + static_cast<int>(random.Next(5));
        for (int w = 0; w < words; ++w, ++wordNumber) {
            const std::int64_t length = 350 + random.Next(350);
            const SyllableEffect effect =
                wordNumber % 5 == 4 ? SyllableEffect::Instant : SyllableEffect::Sweep;
            AddWord(line, kWords[random.Next(kWordCount)], w + 1 == words, at, length, effect,
                    wordNumber % 7 == 3);
            at += length + 40;
        }
        lyrics.lines.push_back(std::move(line));
        at += 500;
    }
    return lyrics;
}

Picture PhotoPicture() {
    const Clouds red(1), green(2), blue(3);
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(kPictureWidth) * kPictureHeight * 4);
    auto level = [](double v) {
        return static_cast<std::uint8_t>(std::clamp((v - 0.5) * 2.6 + 0.5, 0.0, 1.0) * 255);
    };
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            rgba.insert(rgba.end(),
                        {level(red.At(x, y)), level(green.At(x, y)), level(blue.At(x, y)), 255});
    Picture picture;
    NullProgress quiet;
    ReducePalette(rgba, true, std::nullopt, quiet, picture);
    return picture;
}

ScreenPainter::ScreenPainter(const ScreenTimeline& timeline)
    : timeline_(timeline), screen_(static_cast<std::size_t>(kPictureWidth) * kPictureHeight) {
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            screen_[static_cast<std::size_t>(y) * kPictureWidth + x] =
                PixelAt(timeline.picture, x, y);
}

const std::vector<std::uint8_t>& ScreenPainter::At(std::int64_t sector) {
    for (; next_ < timeline_.changes.size() && timeline_.changes[next_].deadline <= sector;
         ++next_) {
        const TileState& state = timeline_.changes[next_];
        const int left = state.tile % 48 * 6, top = state.tile / 48 * 12;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 6; ++x)
                screen_[static_cast<std::size_t>(top + y) * kPictureWidth + left + x] =
                    state.pixels[y * 6 + x];
    }
    return screen_;
}

std::vector<std::uint8_t> ScreenAt(const ScreenTimeline& timeline, std::int64_t sector) {
    return ScreenPainter(timeline).At(sector);
}

std::vector<std::uint8_t> ToRgb(const std::vector<std::uint8_t>& screen, const Palette& palette) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(screen.size() * 3);
    for (const std::uint8_t index : screen) {
        const PaletteEntry& c = palette[index & 15];
        rgb.insert(rgb.end(), {c.red, c.green, c.blue});
    }
    return rgb;
}

}  // namespace orvane::test
