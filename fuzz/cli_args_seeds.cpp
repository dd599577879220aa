// Command lines orvane-cli accepts and near misses, NUL-separated.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

std::string Line(std::initializer_list<const char*> args) {
    std::string joined;
    for (const char* arg : args) {
        if (!joined.empty()) joined += '\0';
        joined += arg;
    }
    return joined;
}

}  // namespace

std::vector<std::string> FuzzSeeds() {
    return {Line({"cover.bmp", "song.wav", "disc.cdg"}),
            Line({"--force", "--quiet", "cover.bmp", "song.wav", "disc.cdg"}),
            Line({"--", "-cover.bmp", "-song.wav", "-disc.cdg"}),
            Line({"--help"}),
            Line({"-h"}),
            Line({"--version"}),
            Line({"--force=1", "a", "b"}),
            Line({"--unknown", "a", "b", "c"}),
            Line({"a", "b", "c", "d"}),
            Line({""}),
            Line({"--convert", "--toc", "a", "b", "c"}),
            Line({"render", "disc.cdg", "out.png", "--at", "5"}),
            Line({"check", "disc.cdg", "cover.bmp"}),
            Line({"export", "disc.cdg", "--mp3", "--zip", "x.zip", "--bitrate", "128", "--force"}),
            Line({"disc", "x.toc", "a.cdg", "b.cdg", "--titles", "t.txt", "--title", "T",
                  "--chdman"}),
            Line({"prepare-picture", "a.jpg", "a.bmp", "--fill", "--background", "102040"}),
            Line({"prepare-recording", "a.mp3", "a.wav", "--pad", "--quiet"}),
            Line({"render", "--help"}),
            Line({"", "rende", "render", "x", "y"})};
}
