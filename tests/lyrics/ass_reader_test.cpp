// ASS and SSA karaoke as subtitle editors write it, through the file reader:
// what each script becomes (syllables, effects, the line's place, the
// style scaled to the 288 x 192 screen), or the reason it is refused.
#include <gtest/gtest.h>

#include "lyrics/lyrics_file.h"
#include "tests/lyrics/lyrics_render.h"

namespace orvane {
namespace {

const char* const kDefault =
    "Style: Default,DejaVu Sans,20,&H0000A0FF,&H00FFFFFF,&H00301010,&H80000000,-1,0,0,0,100,100,"
    "0,0,1,2,0,2,12,12,12,1\n";

// A script whose first event is on line 12 (with two lines of [Script Info]
// and one style).
std::string Script(const std::string& info, const std::string& events,
                   const std::string& styles = kDefault) {
    return "[Script Info]\nScriptType: v4.00+\n" + info +
           "\n[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
           "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, "
           "Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
           "Encoding\n" +
           styles +
           "\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, "
           "Effect, Text\n" +
           events;
}

struct Row {
    const char* name;
    std::string script;
    std::string expected;
    std::string style;  // checked when given
};

const std::string kPlayRes = "PlayResX: 288\nPlayResY: 192\n";

TEST(AssReader, ReadsKaraokeStyleAndPlaceOrRefuses) {
    const Row rows[] = {
        {"\\k instant, \\kf and \\K sweep, \\ko outline; a gap; text before the first tag",
         Script(kPlayRes,
                "Dialogue: 0,0:00:01.00,0:00:05.00,Default,,0,0,0,,"
                "Oh {\\k50}Hel{\\kf30}lo {\\k20}{\\K40}big {\\ko25}world{\\c&HFF&}!\n"),
         "L12: [Oh ]1000-1000i [Hel]1000-1500i [lo ]1500-1800s [big ]2000-2400s "
         "[world!]2400-2650o\n",
         ""},
        {"no karaoke: sung evenly; cut at the event's end; decimals; negative is 0",
         Script(kPlayRes,
                "Dialogue: 0,0:00:10.00,0:00:11.00,Default,,0,0,0,,ab abcd\n"
                "Dialogue: 0,0:00:20.00,0:00:20.50,Default,,0,0,0,,{\\k30}a{\\k30}b{\\k30}c\n"
                "Dialogue: 0,0:00:30.00,0:00:31.00,Default,,0,0,0,,{\\k 12.5}x{\\k-5}y\n"),
         "L12: [ab ]10000-10333s [abcd]10333-11000s\n"
         "L13: [a]20000-20300i [b]20300-20500i [c]20500-20500i\n"
         "L14: [x]30000-30125i [y]30125-30125i\n",
         ""},
        {"\\pos and \\an scaled from PlayRes, the first wins; legacy \\a; another style's "
         "alignment; the song's names",
         Script("Title: Song\nArtist: Band\nPlayResX: 576\nPlayResY: 384",
                "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,"
                "{\\pos(288,192)\\an7\\pos(0,0)\\an1}{\\k10}a\n"
                "Dialogue: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,{\\a6}{\\k10}b\n"
                "Dialogue: 0,0:00:03.00,0:00:04.00,Top,,0,0,0,,{\\k10}c\n",
                std::string(kDefault) + "Style: Top,DejaVu Sans,20,&H0000A0FF,&H00FFFFFF,"
                                        "&H00301010,&H80000000,-1,0,0,0,100,100,0,0,1,2,0,8,"
                                        "12,12,12,1\n"),
         "ti=Song ar=Band al= by=\nL14: an7 @144.00,96.00 [a]1000-1100i\n"
         "L15: an8 [b]2000-2100i\nL16: an8 [c]3000-3100i\n",
         ""},
        {"drawings are no words; \\N breaks to a space, \\h joins; layers count once; a "
         "broken event; sorted",
         Script(kPlayRes,
                "Dialogue: broken\n"
                "Dialogue: 1,0:00:02.00,0:00:03.00,Default,,0,0,0,,"
                "{\\k50}one{\\p1}m 0 0 l 5 5{\\p0}\\Ntwo\\hthree\n"
                "Dialogue: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,"
                "{\\k50}one{\\p1}m 0 0 l 5 5{\\p0}\\Ntwo\\hthree\n"
                "Comment: 0,0:00:00.00,0:00:09.00,Default,,0,0,0,,{\\k100}not sung\n"
                "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\k100}first\n"),
         "L16: [first]1000-2000i\nL13: [one ]2000-2125i [two\xC2\xA0three]2125-2500i\n", ""},
        {"the style, scaled from 576 x 384 (borders too, ScaledBorderAndShadow)",
         Script("PlayResX: 576\nPlayResY: 384\nScaledBorderAndShadow: yes",
                "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\k10}a\n",
                "Style: Default,Liberation Sans,40,&H0000A0FF,&H00FFFFFF,&H00301010,&H80000000,"
                "0,0,0,0,100,100,0,0,1,4,2,8,24,30,36,1\n"),
         "L12: [a]1000-1100i\n",
         "Liberation Sans 20.00 regular ffa000/00 ffffff/00 101030/00 000000/80 outline 2.00 "
         "shadow 1.00 an8 12,15,18"},
        {"SSA v4: [V4 Styles], Marked=, decimal colours, legacy alignment, default PlayRes",
         "[Script Info]\nScriptType: v4.00\n\n[V4 Styles]\nFormat: Name, Fontname, Fontsize, "
         "PrimaryColour, SecondaryColour, TertiaryColour, BackColour, Bold, Italic, BorderStyle, "
         "Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, Encoding\n"
         "Style: Default,Arial,24,65535,16777215,0,0,-1,0,1,2,0,6,30,30,30,0,0\n\n"
         "[Events]\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
         "Text\nDialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0000,0000,0000,,{\\K100}old\n",
         "L10: [old]1000-2000s\n",
         "Arial 16.00 bold ffff00/00 ffffff/00 000000/00 000000/80 outline 2.00 shadow 0.00 an8 "
         "23,23,20"},
        {"no styles section: libass reads nothing",
         "[Script Info]\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, "
         "MarginV, Effect, Text\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\k10}a\n",
         "line 0: This ASS script has no styles section ([V4+ Styles] or [V4 Styles]).", ""},
        {"no Dialogue with words",
         Script(kPlayRes,
                "Comment: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\k10}a\n"
                "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\k10}{\\p1}m 0 0\n"),
         "line 0: This script has no Dialogue lines with words.", ""},
    };
    for (const Row& row : rows) {
        const LyricsReadResult read = ReadLyricsBytes(row.script);
        EXPECT_EQ(test::Render(read, true), row.expected) << row.name;
        if (!row.style.empty()) {
            EXPECT_EQ(test::RenderStyle(read.lyrics.style), row.style) << row.name;
        }
    }
}

}  // namespace
}  // namespace orvane
