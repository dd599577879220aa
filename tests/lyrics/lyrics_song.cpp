#include "tests/lyrics/lyrics_song.h"

#include <algorithm>
#include <cmath>

#include "convert/palette_reduce.h"
#include "lyrics/ass_writer.h"
#include "lyrics/lrc_writer.h"
#include "lyrics/lyrics_words.h"

namespace orvane::test {
namespace {

// Everyday words: the OCR engine's dictionary knows them.
const char* const kWords[] = {
    "the",   "love", "you",   "night",  "we",    "dance", "under", "stars",  "and",    "sing",
    "until", "dawn", "light", "my",     "heart", "is",    "yours", "hold",   "me",     "close",
    "never", "let",  "go",    "summer", "rain",  "falls", "on",    "golden", "fields", "home",
    "road",  "far",  "away",  "dream",  "of",    "blue",  "sky",   "fire",   "river",  "run"};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];

// A small generator of our own: the same song on every standard library.
struct Lcg {
    std::uint32_t state;
    std::uint32_t Next(std::uint32_t below) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % below;
    }
};

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

std::vector<SongLine> SongLines(int lines) {
    std::vector<SongLine> song;
    std::uint32_t random = 12345;
    auto next = [&random](int n) {
        random = random * 1103515245u + 12345u;
        return static_cast<int>((random >> 16) % static_cast<std::uint32_t>(n));
    };
    std::int64_t at = 14000;
    for (int l = 0; l < lines; ++l) {
        SongLine line;
        line.sweep = l % 2 == 1;
        line.afterBreak = l == 0 || l == lines / 2;
        for (int w = 0; w < 6; ++w) {
            const std::int64_t length = 350 + 10 * next(26);
            line.words.push_back({kWords[next(kWordCount)], at, at + length});
            at += length;
        }
        song.push_back(line);
        at += (l + 1 == lines / 2) ? 12000 : 800 + 10 * next(81);
    }
    return song;
}

namespace {

// As Lyrics: every word one syllable, sung as its line says; or, `variety`,
// every fifth word at once and some split into two syllables.
Lyrics AsLyrics(const std::vector<SongLine>& song, bool variety) {
    Lyrics lyrics;
    lyrics.title = kSongTitle;
    lyrics.artist = kSongArtist;
    int n = 0;
    for (const SongLine& from : song) {
        LyricsLine line;
        line.sourceLine = static_cast<int>(lyrics.lines.size()) + 1;
        for (const SongWord& w : from.words) {
            const bool sweep = variety ? n % 5 != 4 : from.sweep;
            const SyllableEffect effect = sweep ? SyllableEffect::Sweep : SyllableEffect::Instant;
            const std::string text = &w == &from.words.back() ? w.text : w.text + " ";
            const std::int64_t cut = (w.startMs + w.endMs) / 2;
            const std::size_t half = w.text.size() / 2;
            if (variety && n % 7 == 3 && w.text.size() >= 5) {
                line.syllables.push_back({text.substr(0, half), w.startMs, cut, effect});
                line.syllables.push_back({text.substr(half), cut, w.endMs, effect});
            } else {
                line.syllables.push_back({text, w.startMs, w.endMs, effect});
            }
            ++n;
        }
        lyrics.lines.push_back(std::move(line));
    }
    return lyrics;
}

}  // namespace

std::string AsPlainLrc(const std::vector<SongLine>& song) {
    std::string text = std::string("[ti:") + kSongTitle + "]\n[ar:" + kSongArtist + "]\n";
    for (const SongLine& line : song) {
        text += "[" + FormatMinutesMs(line.FirstMs()) + "]";
        for (const SongWord& word : line.words)
            text += word.text + (&word == &line.words.back() ? "\n" : " ");
    }
    return text;
}

std::string AsEnhancedLrc(const std::vector<SongLine>& song) {
    return LrcText(AsLyrics(song, false));
}

// With a byte order mark, as some editors save it.
std::string AsAss(const std::vector<SongLine>& song) {
    return "\xEF\xBB\xBF" + AssText(AsLyrics(song, false));
}

Lyrics TestSong(int lines) {
    return AsLyrics(SongLines(lines), true);
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
