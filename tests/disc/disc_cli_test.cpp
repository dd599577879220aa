// orvane-cli disc, judged by the tools that read its toc: cdrdao 1.2.4 (and
// its toc2cddb, which prints the CD-TEXT cdrdao parsed) and chdman.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "cli/cli_run.h"
#include "encoder/track_tags.h"
#include "export_rig.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::AudioOf;
using test::Bytes;
using test::Capture;
using test::Quote;

test::CliRun RunDisc(std::vector<std::string> args) {
    args.insert(args.begin(), "disc");
    return test::RunCliInProcess(std::move(args));
}

// An image from the creation job whose audio is its own (`salt` changes
// every byte), so that no track can pass for another.
Bytes MakeImage(std::size_t sectors, std::uint8_t salt) {
    test::ImageRig rig(sectors);
    Bytes image = test::ReadFile(rig.image);
    for (std::size_t s = 0; s < sectors; ++s) {
        for (std::size_t i = 0; i < kAudioSectorBytes; ++i) image[s * kRawSectorBytes + i] ^= salt;
    }
    return image;
}

// `tags` in the packets after the colour table, where the lyrics encoder
// puts them.
void EmbedTags(Bytes& image, const TrackTags& tags) {
    const auto packets = EncodeTrackTags(tags);
    for (std::size_t p = 0; p < packets.size(); ++p) {
        const std::size_t slot = p + 2, sector = slot / 4;
        std::memcpy(&image[sector * kRawSectorBytes + kAudioSectorBytes + slot % 4 * 24],
                    &packets[p], 24);
    }
}

// A raw image as chdman stores it: audio big-endian, subcode as it is.
Bytes AsChdHoldsIt(Bytes image) {
    for (std::size_t at = 0; at + kRawSectorBytes <= image.size(); at += kRawSectorBytes) {
        for (std::size_t i = 0; i < kAudioSectorBytes; i += 2)
            std::swap(image[at + i], image[at + i + 1]);
    }
    return image;
}

TEST(DiscCli, CdrdaoAndChdmanReadEveryTrackWithItsNamesAndSamples) {
    test::TempDir dir;
    for (const char* folder : {"A", "B", "s p\xC3\xA9"}) fs::create_directories(dir.File(folder));
    // Named by its file name, by its tags, and by the titles list; in three
    // folders, one of them the toc's. (Names cdrdao reads only escaped, which
    // chdman cannot read, are the export tests' concern.)
    const std::vector<std::string> paths = {
        dir.File("A/Alpha - One.img"), dir.File("s p\xC3\xA9/x y'z.img"), dir.File("B/third.img")};
    std::vector<Bytes> images = {MakeImage(300, 0x11), MakeImage(320, 0x22), MakeImage(340, 0x33)};
    EmbedTags(images[1], {"Tagged Song", "Tagger"});
    for (std::size_t i = 0; i < 3; ++i) test::WriteFile(paths[i], images[i]);
    const std::string titles = dir.File("titles.txt");
    test::WriteFile(titles, Bytes{'\n', '\n', 'L', ' ', '-', ' ', 'T', 'h', 'i', 'r', 'd', '\n'});
    const std::string toc = dir.File("B/disc.toc"), chd = dir.File("B/chd.toc");
    std::vector<std::string> args = {toc,    paths[0],  paths[1],      paths[2],      "--titles",
                                     titles, "--title", "Caf\xC3\xA9", "--performer", "Band"};
    const test::CliRun run = RunDisc(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "3 tracks, 0:16 of 79:57");
    args[0] = chd;
    args.push_back("--chdman");
    ASSERT_EQ(RunDisc(args).status, 0);

    // cdrdao, from another folder as a user would run it.
    const std::string cdrdao = "cd / && cdrdao ";
    int status = -1;
    const std::string shown = Capture(cdrdao + "show-toc " + Quote(toc) + " 2>&1", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(shown.find("ERROR"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("WARNING"), std::string::npos) << shown;
    const std::string cddb = Capture("cd / && toc2cddb " + Quote(toc) + " 2>/dev/null");
    for (const char* line :
         {"DTITLE=Band / Caf\xE9\n", "TTITLE0=One\n", "TTITLE1=Tagged Song\n", "TTITLE2=Third\n"}) {
        EXPECT_NE(cddb.find(line), std::string::npos) << line << cddb;
    }
    EXPECT_EQ(Capture(cdrdao + "toc-size " + Quote(toc) + " 2>/dev/null"),
              std::to_string(300 + 320 + 340 + 2 * 150) + "\n");
    Bytes disc;
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0) disc.resize(disc.size() + 150 * kAudioSectorBytes, 0);
        const Bytes audio = AudioOf(images[i]);
        disc.insert(disc.end(), audio.begin(), audio.end());
    }
    EXPECT_EQ(Capture(cdrdao + "show-data --swap " + Quote(toc) + " 2>/dev/null"),
              test::SamplesAsCdrdaoPrintsThem(disc));

    // chdman: the burn file gives the right tracks; the --chdman one also
    // the right samples (extractcd writes the CHD's bytes as they are).
    const std::string chdman = "cd / && chdman ";
    for (const std::string& which : {toc, chd}) {
        const std::string out = dir.File("B/x.chd");
        Capture(chdman + "createcd -f -i " + Quote(which) + " -o " + Quote(out) + " 2>&1");
        const std::string info = Capture(chdman + "info -v -i " + Quote(out) + " 2>&1");
        for (const char* frames : {"TRACK:1 TYPE:AUDIO SUBTYPE:RW FRAMES:300 ",
                                   "TRACK:2 TYPE:AUDIO SUBTYPE:RW FRAMES:320 ",
                                   "TRACK:3 TYPE:AUDIO SUBTYPE:RW FRAMES:340 "}) {
            EXPECT_NE(info.find(frames), std::string::npos) << which << ": " << frames << info;
        }
        EXPECT_EQ(info.find("TRACK:4"), std::string::npos) << info;
    }
    Capture(chdman + "extractcd -f -i " + Quote(dir.File("B/x.chd")) + " -o " +
            Quote(dir.File("x.toc")) + " -ob " + Quote(dir.File("x.bin")) + " 2>&1");
    Bytes expected;
    for (const Bytes& image : images) {
        const Bytes held = AsChdHoldsIt(image);
        expected.insert(expected.end(), held.begin(), held.end());
    }
    const Bytes extracted = test::ReadFile(dir.File("x.bin"));
    ASSERT_EQ(extracted.size(), expected.size());
    const auto differ = std::mismatch(extracted.begin(), extracted.end(), expected.begin());
    EXPECT_TRUE(differ.first == extracted.end())
        << "differ at byte " << differ.first - extracted.begin();
}

// An image of `sectors` sectors that costs no disk: a real image's head,
// then a hole (the probe and the tags read only the head).
void SparseImage(const std::string& path, const Bytes& head, std::uint64_t sectors) {
    test::WriteFile(path, head);
    fs::resize_file(path, sectors * kRawSectorBytes);
}

TEST(DiscCli, RefusesBeforeWritingAndSaysWhy) {
    test::TempDir dir;
    const Bytes head = MakeImage(300, 0);
    const std::string a = dir.File("a.img"), toc = dir.File("disc.toc");
    test::WriteFile(a, head);
    Bytes tail = head;
    tail.resize(tail.size() + 100, 1);
    test::WriteFile(dir.File("tail.img"), tail);
    SparseImage(dir.File("half.img"), head, 180'000);  // 40:00
    SparseImage(dir.File("long.img"), head, 333'000);  // 74:00
    test::WriteFile(dir.File("song.wav"), test::MakeWav(300 * 2352));
    Bytes cdg;
    for (std::size_t at = 0; at < head.size(); at += kRawSectorBytes)
        cdg.insert(cdg.end(), head.begin() + at + 2352, head.begin() + at + 2448);
    test::WriteFile(dir.File("song.cdg"), cdg);
    test::WriteFile(dir.File("two.txt"), Bytes{'a', '\n', 'b', '\n'});
    fs::create_directory(dir.File("folder.toc"));
    fs::create_symlink(a, dir.File("link.toc"));

    struct Case {
        const char* name;
        std::vector<std::string> args;  // "@" is the folder
        int status;
        const char* says;  // in the output
        bool writes = false;
    } cases[] = {
        {"over 80 minutes",
         {"@/disc.toc", "@/half.img", "@/half.img"},
         1,
         "last 80:02; an 80-minute disc holds 79:57: 0:05 too long"},
        {"over 74 minutes", {"@/disc.toc", "@/long.img", "@/a.img"}, 0, "74-minute", true},
        {"missing image",
         {"@/disc.toc", "@/a.img", "@/gone.img"},
         1,
         "Cannot use @/gone.img as a track: No such file or directory"},
        {"a recording", {"@/disc.toc", "@/song.wav"}, 1, "No CD+G graphics found"},
        {"a .cdg stream", {"@/disc.toc", "@/song.cdg"}, 1, "graphics without sound"},
        {"an empty image", {"@/disc.toc", "@/two.txt"}, 1, "@/two.txt as a track"},
        {"toc is an image", {"@/a.img", "@/a.img"}, 1, "is one of the files the disc is made from"},
        {"toc links to an image", {"@/link.toc", "@/a.img"}, 1, "is one of the files the disc is made from"},
        {"toc is a folder", {"@/folder.toc", "@/a.img"}, 1, "is a folder"},
        {"toc is the titles list", {"@/two.txt", "@/a.img", "@/a.img", "--titles", "@/two.txt"}, 1,
         "is one of the files the disc is made from"},
        {"titles for another disc",
         {"@/disc.toc", "@/a.img", "--titles", "@/two.txt"},
         1,
         "2 lines for 1 track"},
        {"a tail",
         {"@/disc.toc", "@/tail.img"},
         0,
         "Ignored the last 100 bytes of @/tail.img: not a whole sector",
         true},
    };
    const auto expand = [&](std::string text) {
        for (std::size_t at; (at = text.find('@')) != std::string::npos;)
            text.replace(at, 1, dir.path().string());
        return text;
    };
    std::vector<std::string> hundred = {toc};
    hundred.insert(hundred.end(), 100, a);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args;
        for (const std::string& arg : c.args) args.push_back(expand(arg));
        const test::CliRun run = RunDisc(args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(expand(c.says)), std::string::npos) << run.err;
        EXPECT_EQ(fs::exists(toc), c.writes);
        EXPECT_EQ(test::ReadFile(a), head);
        fs::remove(toc);
    }
    EXPECT_NE(RunDisc(hundred).err.find("at most 99 tracks"), std::string::npos);

    // An existing toc is replaced only with --force; nothing else is left.
    test::WriteFile(toc, {'x'});
    test::CliRun run = RunDisc({toc, a});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(toc + " exists already, use --force to replace it"), std::string::npos)
        << run.err;
    EXPECT_EQ(test::ReadFile(toc), Bytes{'x'});
    EXPECT_EQ(RunDisc({toc, a, "--force", "--quiet"}).err, "");
    EXPECT_EQ(test::Capture("cdrdao toc-size " + Quote(toc) + " 2>/dev/null"), "300\n");
    EXPECT_EQ(
        test::Listing(dir.path().string()),
        (std::vector<std::string>{"a.img", "disc.toc", "folder.toc", "half.img", "link.toc",
                                  "long.img", "song.cdg", "song.wav", "tail.img", "two.txt"}));
}

}  // namespace
}  // namespace orvane
