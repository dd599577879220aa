// LRC as editors and players write it: plain and enhanced lines, repeated
// lines, tags and offsets, and the near misses the reader refuses.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

std::vector<std::string> FuzzSeeds() {
    return {
        "[ti:Night]\n[ar:Band]\n[al:First]\n[by:Me]\n[offset:+250]\n"
        "[00:12.00]<00:12.00>When <00:12.50>the <00:12.800>night<00:13.40>\n"
        "[00:14.00][01:00.000]Hello wide world\n[00:20.00]\n",
        "\xEF\xBB\xBF[00:01.00]Oh <00:02.000>Hel<00:02.25>lo<00:02.5> <00:03>you\r\n"
        "[00:04:50]I [00:05.00]<3 you\r\n[offset:-100]\r\n",
        "[0:01]a\n[00:02.5]b\n[00:03:25]c\n[9999:59.999]d\n[length:3:20]\n",
        "[00:01.00]<00:02.00>a <00:01.50>b\n",
        "[00:7x.00]b\n[00:01.00]a <0:1.x>b\n[00:02.00 b\n[Chorus]\n",
        "[00:01.00]\xC3\xA4\xC3\xB6 ab\n[00:01.00]x\n[00:02.00]\n",
        "Just words\nand more\n",
        std::string("[00:01.00]a\n\0", 13),
        "[00:01.00]caf\xE9\n",
    };
}
