// Karaoke scripts as subtitle editors write them (ASS and SSA), with every
// tag the reader understands, and scripts libass cannot read.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

const char* const kHead =
    "[Script Info]\nTitle: Song\nScriptType: v4.00+\nPlayResX: 576\nPlayResY: 384\n"
    "ScaledBorderAndShadow: yes\n\n[V4+ Styles]\nFormat: Name, Fontname, Fontsize, "
    "PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, Underline, "
    "StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, "
    "MarginL, MarginR, MarginV, Encoding\n"
    "Style: Default,DejaVu Sans,40,&H0000A0FF,&H00FFFFFF,&H00301010,&H80000000,-1,0,0,0,100,"
    "100,0,0,1,4,0,2,24,24,24,1\n"
    "Style: Top,DejaVu Sans,40,&H0000A0FF,&H00FFFFFF,&H00301010,&H80000000,0,0,0,0,100,100,0,"
    "0,1,4,0,8,24,24,24,1\n\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, "
    "MarginR, MarginV, Effect, Text\n";

}  // namespace

std::vector<std::string> FuzzSeeds() {
    const std::string head = kHead;
    return {
        head +
            "Dialogue: 0,0:00:01.00,0:00:05.00,Default,,0,0,0,,Oh {\\k50}Hel{\\kf30}lo "
            "{\\k20}{\\K40}big {\\ko25}world{\\c&HFF&}!\n"
            "Dialogue: 0,0:00:10.00,0:00:11.00,Default,,0,0,0,,ab abcd\n"
            "Dialogue: 0,0:00:20.00,0:00:20.50,Top,,0,0,0,,{\\k 12.5}a{\\k-5}b{\\k30}c\n",
        head +
            "Dialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\pos(288,192)\\an7}{\\k10}a\n"
            "Dialogue: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,{\\a6}{\\k10}b{\\t(\\frz9)}\n"
            "Dialogue: broken\n"
            "Dialogue: 1,0:00:02.00,0:00:03.00,Default,,0,0,0,,{\\k50}one{\\p1}m 0 0 l 5 "
            "5{\\p0}\\Ntwo\\hthree {unclosed\n"
            "Dialogue: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,{\\k50}one{\\p1}m 0 0 l 5 "
            "5{\\p0}\\Ntwo\\hthree {unclosed\n"
            "Comment: 0,0:00:00.00,0:00:09.00,Default,,0,0,0,,{\\k100}not sung\n",
        "[Script Info]\nScriptType: v4.00\n\n[V4 Styles]\nFormat: Name, Fontname, Fontsize, "
        "PrimaryColour, SecondaryColour, TertiaryColour, BackColour, Bold, Italic, BorderStyle, "
        "Outline, Shadow, Alignment, MarginL, MarginR, MarginV, AlphaLevel, Encoding\n"
        "Style: Default,Arial,24,65535,16777215,0,0,-1,0,1,2,0,6,30,30,30,0,0\n\n[Events]\n"
        "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
        "Dialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0000,0000,0000,,{\\K100}old\n",
        "[Script Info]\n[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,Default,,0,0,0,,{\\k10}a\n",
        "[Script Info]\n[V4+ Styles]\n[Events]\n",
    };
}
