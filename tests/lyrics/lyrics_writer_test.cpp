// What Orvane saves reads back through its own readers to the same lyrics:
// enhanced LRC to the millisecond, ASS to the centisecond with effects,
// style and places; and what cannot be saved says why.
#include "lyrics/lyrics_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "lyrics/lyrics_file.h"
#include "tests/lyrics/lyrics_render.h"
#include "tests/support/fixtures.h"

namespace orvane {
namespace {

Syllable S(const char* text, std::int64_t start, std::int64_t end,
           SyllableEffect effect = SyllableEffect::Sweep) {
    return {text, start, end, effect};
}

// Times off the centisecond, a gap inside a line, all three effects, a place,
// Unicode, overlapping syllables, a backslash that is no ASS escape, tags and
// a style unlike the default.
Lyrics Song() {
    Lyrics song;
    song.title = "Night";
    song.artist = "Band";
    song.album = "First";
    song.author = "Me";
    song.style.font = "Liberation Sans";
    song.style.size = 18.5;
    song.style.bold = false;
    song.style.sung = {0x12, 0x34, 0x56, 0};
    song.style.back = {0, 0, 0, 0x80};
    song.style.outlineWidth = 1.5;
    song.style.shadow = 1;
    song.style.alignment = 8;
    song.style.marginLeft = 10;
    song.style.marginRight = 11;
    song.style.marginVertical = 13;
    LyricsLine first;
    first.syllables = {S("Hel", 1234, 1500, SyllableEffect::Instant), S("lo ", 1500, 1777),
                       S("world", 2000, 2345, SyllableEffect::Outline)};
    LyricsLine second;
    second.syllables = {S("ça ", 5000, 5500), S("va", 5500, 6000)};
    second.position = LyricsPosition{100.5, 50.25};
    second.alignment = 7;
    LyricsLine third;
    third.syllables = {S("a\\h ", 7000, 7600), S("b", 7500, 8000)};
    song.lines = {first, second, LyricsLine{}, third};
    return song;
}

struct Row {
    const char* file;
    std::string expected;  // the saved file read back, or the save's refusal
    std::string style;     // the style read back
};

TEST(LyricsWriter, SavedLyricsReadBackToTheSameTimesOrTheSaveSaysWhy) {
    test::TempDir dir;
    const std::string defaultStyle = test::RenderStyle(LyricsStyle{});
    const Row rows[] = {
        {"song.lrc",
         "ti=Night ar=Band al=First by=Me\n"
         "L5: [Hel]1234-1500 [lo ]1500-1777 [world]2000-2345\n"
         "L6: [ça ]5000-5500 [va]5500-6000\nL7: [a\\h ]7000-7500 [b]7500-8000\n",
         defaultStyle},
        {"song.ASS",
         "ti=Night ar=Band al=First by=Me\n"
         "L19: [Hel]1230-1500i [lo ]1500-1780s [world]2000-2350o\n"
         "L20: an7 @100.50,50.25 [ça ]5000-5500s [va]5500-6000s\n"
         "L21: [a\\h ]7000-7500s [b]7500-8000s\n",
         "Liberation Sans 18.50 regular 123456/00 ffffff/00 101030/00 000000/80 outline 1.50 "
         "shadow 1.00 an8 10,11,13"},
        {"song.txt",
         "Lyrics are saved as .lrc (enhanced LRC) or .ass (ASS with karaoke tags): " +
             dir.File("song.txt") + " ends in neither.",
         ""},
        {"missing/song.lrc", "Cannot save " + dir.File("missing/song.lrc") + ": ", ""},
    };
    for (const Row& row : rows) {
        const std::string path = dir.File(row.file);
        const LyricsSaveResult saved = SaveLyrics(path, Song());
        if (!saved.ok) {
            EXPECT_EQ(saved.message.substr(0, row.expected.size()), row.expected) << row.file;
            EXPECT_TRUE(row.style.empty()) << row.file << ": " << saved.message;
            continue;
        }
        EXPECT_EQ(saved.message, "Lyrics saved: " + path);
        const LyricsReadResult read = ReadLyricsFile(path);
        EXPECT_EQ(test::Render(read, SaveFormatFor(path) == LyricsSaveFormat::Ass), row.expected)
            << row.file;
        EXPECT_EQ(test::RenderStyle(read.lyrics.style), row.style) << row.file;
    }
    EXPECT_EQ(SaveLyrics(dir.File("empty.lrc"), Lyrics{}).message, "There are no lyrics to save.");
}

}  // namespace
}  // namespace orvane
