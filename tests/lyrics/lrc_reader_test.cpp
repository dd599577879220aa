// LRC as authors write it, through the file reader (byte-order mark, CRLF,
// UTF-8 checks and the choice of format included): what each text becomes,
// or the line and the reason it is refused.
#include "lyrics/lrc_reader.h"

#include <gtest/gtest.h>

#include "lyrics/lyrics_file.h"
#include "tests/lyrics/lyrics_render.h"

namespace orvane {
namespace {

struct Row {
    const char* name;
    std::string text;
    std::string expected;
};

TEST(LrcReader, ReadsTimesWordsAndTagsOrRefusesWithLineAndReason) {
    const std::string noTimes = std::string("line 0: ") + kNoTimesReason;
    const Row rows[] = {
        {"enhanced words, tags, offset (earlier), BOM and CRLF",
         "\xEF\xBB\xBF[ti:Night]\r\n[ar: Someone ]\r\n[al:First]\r\n[by:Me]\r\n[length:3:20]\r\n"
         "[offset:+100]\r\n[00:12.00]<00:12.00>When <00:12.50>the <00:12.800>night<00:13.40>\r\n",
         "ti=Night ar=Someone al=First by=Me\n"
         "L7: [When ]11900-12400 [the ]12400-12700 [night]12700-13300\n"},
        {"syllables, an end before a gap, text before the first word time, no space at the end",
         "[01:00.000]Oh <01:01.000>Hel<01:01.250>lo<01:01.500> <01:02.000>you <01:03.000>\n",
         "L1: [Oh ]60000-61000 [Hel]61000-61250 [lo ]61250-61500 [you]62000-63000\n"},
        {"a line without word times: evenly by length, to the next line",
         "[00:10.00]ab abcd\n[00:11.50]x\n[00:40.00]\n",
         "L1: [ab ]10000-10500 [abcd]10500-11500\nL2: [x]11500-21500\n"},
        {"the last line: 600 ms a word, at least 2 s; a last word: at most 2 s",
         "[00:05.00]<00:05.00>one <00:05.50>two\n[00:07]a b c d e\n",
         "L1: [one ]5000-5500 [two]5500-7000\nL2: [a ]7000-7600 [b ]7600-8200 [c ]8200-8800 "
         "[d ]8800-9400 [e]9400-10000\n"},
        {"repeated lines at each time, word times moved along, sorted",
         "[00:30.00]B\n[00:10.00][00:50.00]<00:10.00>la <00:10.50>la<00:11.00>\n"
         "[00:20.0]\n[00:39:5]\n",
         "L2: [la ]10000-10500 [la]10500-11000\nL1: [B]30000-39500\n"
         "L2: [la ]50000-50500 [la]50500-51000\n"},
        {"times without fraction, one or three digits, ':' before the fraction",
         "[0:01]a\n[00:02.5]b\n[00:03:25]c\n[100:00.001]d\n",
         "L1: [a]1000-2500\nL2: [b]2500-3250\nL3: [c]3250-13250\nL4: [d]6000001-6002001\n"},
        {"inline [mm:ss.xx] word times; '<' that is no time is text",
         "[00:01.00]I [00:01.50]<3 you<00:03.00>\n",
         "L1: [I ]1000-1500 [<3 ]1500-2100 [you]2100-3000\n"},
        {"the last offset counts; a time moved before the start stays at 0",
         "[offset:-250]\n[00:00.10]a\n[offset:+500]\n", "L2: [a]0-2000\n"},
        {"lines sung together end at the same next line; Unicode by characters",
         "[00:01.00]äö ab\n[00:01.00]x\n[00:02.00]\n",
         "L1: [äö ]1000-1500 [ab]1500-2000\nL2: [x]1000-2000\n"},
        {"word times that go back", "[00:01.00]<00:02.00>a <00:01.50>b\n",
         "line 1: The word times on this line go back: <00:01.500> comes after 00:02.000."},
        {"text before a later first word time", "\n[00:05.00]so <00:04.00>b\n",
         "line 2: The word times on this line go back: <00:04.000> comes after 00:05.000."},
        {"a line time that is not a time", "[00:01.00]a\n[00:7x.00]b\n",
         "line 2: [00:7x.00] is not a time: LRC times are [mm:ss.xx]."},
        {"seconds past 59", "[00:60.00]a\n",
         "line 1: [00:60.00] is not a time: LRC times are [mm:ss.xx]."},
        {"a word time that is not a time", "[00:01.00]a <0:1.x>b\n",
         "line 1: <0:1.x> is not a time: word times are <mm:ss.xx>."},
        {"a word time without its bracket", "[00:01.00]a <00:02.00 b\n",
         "line 1: A word time on this line has no closing bracket."},
        {"a line time without its bracket", "[00:01.00]a\n[00:02.00 b\n",
         "line 2: The time at the start of this line has no closing ]."},
        {"a line of words without a time", "[ti:x]\n[00:01.00]a\n[Chorus]\n",
         "line 3: This line has no time. Every line of an LRC file starts with its time, "
         "[mm:ss.xx]."},
        {"an offset that is no number", "[offset:soon]\n[00:01.00]a\n",
         "line 1: The offset is not a whole number of milliseconds."},
        {"times but no words", "[ti:x]\n[00:01.00]\n[00:02.00]   \n",
         "line 0: This file has times but no words."},
        {"not UTF-8 (Latin-1), counted in characters",
         "[00:01.00]a\r\n[00:02.00]\xC3\xA4 caf\xE9\n",
         "line 2: This line is not UTF-8 text (byte 0xE9 at character 16). Save the file as "
         "UTF-8."},
        {"a zero byte", std::string("[00:01.00]a\n\0", 13),
         "line 2: This line holds a zero byte: the file is not text."},
        {"a plain text names the timing window", "Just words\nand more\n", noTimes},
        {"tags alone have no times either", "[ti:Song]\n[ar:Me]\nwords\n", noTimes},
        {"an empty file", "\xEF\xBB\xBF\r\n", "line 0: This file holds no lyrics."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(test::Render(ReadLyricsBytes(row.text)), row.expected) << row.name;
    }
}

}  // namespace
}  // namespace orvane
