// A look at the lyrics track without a player: the screens of the test song
// (or of a lyrics file) at the given seconds as PNG files, and how many
// states it took.
//   lyrics_preview OUT_DIR [LYRICS_FILE] SECONDS...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lyrics/lyrics_file.h"
#include "lyrics/timeline_builder.h"
#include "player/png_writer.h"
#include "tests/lyrics/lyrics_song.h"

int main(int argc, char** argv) {
    using namespace orvane;
    if (argc < 2) {
        std::fprintf(stderr, "usage: lyrics_preview OUT_DIR SECONDS...\n");
        return 2;
    }
    int first = 2;
    Lyrics lyrics = test::TestSong();
    if (argc > 2 && std::atof(argv[2]) == 0 && std::string(argv[2]) != "0") {
        const LyricsReadResult read = ReadLyricsFile(argv[2]);
        if (!read.ok) {
            std::fprintf(stderr, "%s\n", DescribeLyricsRefusal(argv[2], read).c_str());
            return 1;
        }
        lyrics = read.lyrics;
        first = 3;
    }
    const auto start = std::chrono::steady_clock::now();
    const ScreenTimelineResult result =
        BuildScreenTimeline(test::PhotoPicture(), lyrics, LayoutOptions{}, 240 * 75);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!result.ok) {
        std::fprintf(stderr, "failed: %s\n", result.message.c_str());
        return 1;
    }
    for (const std::string& note : result.notes) std::printf("note: %s\n", note.c_str());
    std::printf("%.3f s, %zu states, %zu words, %zu lines\n", seconds,
                result.timeline.changes.size(), result.timeline.words.size(),
                result.timeline.lines.size());
    for (int i = first; i < argc; ++i) {
        const double at = std::atof(argv[i]);
        const auto sector = static_cast<std::int64_t>(at * 75);
        const auto rgb =
            test::ToRgb(test::ScreenAt(result.timeline, sector), result.timeline.picture.palette);
        const std::string path = std::string(argv[1]) + "/screen_" + argv[i] + ".png";
        if (WritePng(path, rgb.data(), kPictureWidth, kPictureHeight)) return 1;
    }
    return 0;
}
