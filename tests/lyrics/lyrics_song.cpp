#include "tests/lyrics/lyrics_song.h"

#include <cmath>

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

Picture BusyPicture() {
    Picture picture;
    InitPicture(picture);
    for (int i = 0; i < 16; ++i) {
        // Hues around the wheel, light and dark.
        const double hue = i * 2.399963;
        const double light = i % 2 ? 0.75 : 0.35;
        auto level = [&](double shift) {
            return static_cast<std::uint8_t>(
                std::lround(17 * std::round(15 * light * (0.6 + 0.4 * std::sin(hue + shift)))));
        };
        picture.palette[i] = {level(4.19), level(2.09), level(0), 0};
    }
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) {
            const double wave = std::sin(x * 0.045) + std::cos(y * 0.06 + x * 0.01) +
                                0.5 * std::sin((x + y) * 0.21) + 0.3 * std::sin(x * y * 0.0013);
            const int colour = static_cast<int>(std::floor((wave + 2.8) * 2.85)) & 15;
            const std::size_t n =
                static_cast<std::size_t>(kPictureHeight - 1 - y) * kPictureWidth + x;
            std::uint8_t& byte = picture.pixels[n / 2];
            byte = n % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | colour << 4)
                              : static_cast<std::uint8_t>((byte & 0xF0) | colour);
        }
    UpdatePreviewInfo(picture);
    return picture;
}

std::vector<std::uint8_t> ScreenAt(const ScreenTimeline& timeline, std::int64_t sector) {
    std::vector<std::uint8_t> screen(static_cast<std::size_t>(kPictureWidth) * kPictureHeight);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            screen[static_cast<std::size_t>(y) * kPictureWidth + x] =
                PixelAt(timeline.picture, x, y);
    for (const TileState& state : timeline.changes) {
        if (state.deadline > sector) break;
        const int left = state.tile % 48 * 6, top = state.tile / 48 * 12;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 6; ++x)
                screen[static_cast<std::size_t>(top + y) * kPictureWidth + left + x] =
                    state.pixels[y * 6 + x];
    }
    return screen;
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
