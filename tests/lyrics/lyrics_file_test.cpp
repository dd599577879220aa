// Opening lyrics files: what is refused before it is read (and why), the
// format found by content whatever the name, and the plain text the timing
// window starts from.
#include "lyrics/lyrics_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/lyrics/lyrics_render.h"
#include "tests/support/fixtures.h"

namespace orvane {
namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct FileRow {
    const char* name;
    std::function<std::string(const test::TempDir&)> make;  // returns the path to open
    std::string expected;    // as ReadTimingSource reads it, "timed"/"to time" first
    std::string lyricsFile;  // as ReadLyricsFile reads it, when that differs
};

TEST(LyricsFile, OpensLyricsByContentAndRefusesWhatIsNotLyrics) {
    const FileRow rows[] = {
        {"LRC named .txt",
         [](const test::TempDir& d) {
             Write(d.File("song.txt"), "[00:01.00]<00:01.00>a<00:01.50>\n");
             return d.File("song.txt");
         },
         "timed\nL1: [a]1000-1500\n", ""},
        {"ASS through a symbolic link named .lrc",
         [](const test::TempDir& d) {
             Write(d.File("song.ass"),
                   "[Script Info]\n[V4+ Styles]\n[Events]\nDialogue: 0,0:00:01.00,0:00:02.00,"
                   "Default,,0,0,0,,{\\k50}a\n");
             std::filesystem::create_symlink(d.File("song.ass"), d.File("link.lrc"));
             return d.File("link.lrc");
         },
         "timed\nL4: [a]1000-1500\n", ""},
        {"plain text to time: words at spaces, syllables at '/', empty lines dropped",
         [](const test::TempDir& d) {
             Write(d.File("words.lrc"), "\xEF\xBB\xBFHel/lo  world\r\n\r\n a/ /b //c d/\r\n");
             return d.File("words.lrc");
         },
         "to time\nL1: [Hel]0-0 [lo ]0-0 [world]0-0\nL3: [a ]0-0 [b ]0-0 [c ]0-0 [d]0-0\n",
         std::string("line 0: ") + kNoTimesReason},
        {"a folder",
         [](const test::TempDir& d) {
             std::filesystem::create_directory(d.File("folder.lrc"));
             return d.File("folder.lrc");
         },
         "line 0: This is not a regular file.", ""},
        {"a pipe (reading it would wait for a writer)",
         [](const test::TempDir& d) {
             mkfifo(d.File("pipe.lrc").c_str(), 0600);
             return d.File("pipe.lrc");
         },
         "line 0: This is not a regular file.", ""},
        {"a file too large to be lyrics",
         [](const test::TempDir& d) {
             Write(d.File("big.lrc"), "[00:01.00]a\n");
             std::filesystem::resize_file(d.File("big.lrc"), kMaxLyricsFileBytes + 1);
             return d.File("big.lrc");
         },
         "line 0: This file is larger than 4 MB: it is not lyrics.", ""},
        {"a file that is not there", [](const test::TempDir& d) { return d.File("none.lrc"); },
         "line 0: This file cannot be read: No such file or directory.", ""},
        {"a text of no words",
         [](const test::TempDir& d) {
             Write(d.File("blank.txt"), " \n\t\n");
             return d.File("blank.txt");
         },
         "line 0: This text has no words.", "line 0: This file holds no lyrics."},
    };
    for (const FileRow& row : rows) {
        test::TempDir dir;
        const std::string path = row.make(dir);
        const TimingSource source = ReadTimingSource(path);
        const std::string kind = !source.read.ok ? "" : source.timed ? "timed\n" : "to time\n";
        EXPECT_EQ(kind + test::Render(source.read), row.expected) << row.name;
        const std::string lyricsFile =
            row.lyricsFile.empty() ? test::Render(source.read) : row.lyricsFile;
        EXPECT_EQ(test::Render(ReadLyricsFile(path)), lyricsFile) << row.name;
    }
}

TEST(LyricsFile, RefusalNamesThePathAndTheLineWhenThereIsOne) {
    LyricsReadResult refusal;
    refusal.reason = "Why.";
    EXPECT_EQ(DescribeLyricsRefusal("a.lrc", refusal), "a.lrc: Why.");
    refusal.line = 7;
    EXPECT_EQ(DescribeLyricsRefusal("a.lrc", refusal), "a.lrc, line 7: Why.");
}

}  // namespace
}  // namespace orvane
