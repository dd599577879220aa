// Every reader as orvane-cli runs it, on the files people give it by
// mistake or from other tools: what the command says, its exit status, and
// what reading them may cost. One table for render, check, export and the
// prepare commands, since one rule decides what a file is for all of them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zlib.h>

#include <cstring>
#include <functional>
#include <random>

#include "cli/cli_child.h"
#include "encoder/job_support.h"
#include "player/cdg_decoder.h"
#include "player/cdg_stream.h"

namespace orvane::test {
namespace {

void PutBE32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
    PutBE32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBE32(png, static_cast<std::uint32_t>(
                     crc32(0, &png[start], static_cast<uInt>(png.size() - start))));
}

// `bytes` of `fill`, deflated a piece at a time.
Bytes Deflated(std::uint64_t bytes, std::uint8_t fill, std::size_t piece) {
    z_stream z{};
    deflateInit(&z, 6);
    const Bytes in(piece, fill);
    Bytes out, buffer(1 << 16);
    std::uint64_t left = bytes;
    for (int rc = Z_OK; rc != Z_STREAM_END;) {
        if (z.avail_in == 0 && left > 0) {
            const auto n = static_cast<uInt>(std::min<std::uint64_t>(left, piece));
            z.next_in = const_cast<Bytef*>(in.data());
            z.avail_in = n;
            left -= n;
        }
        z.next_out = buffer.data();
        z.avail_out = static_cast<uInt>(buffer.size());
        rc = deflate(&z, left == 0 ? Z_FINISH : Z_NO_FLUSH);
        out.insert(out.end(), buffer.data(), z.next_out);
    }
    deflateEnd(&z);
    return out;
}

// A grey PNG of `width` x `height` whose rows are all black; only `rows` of
// them are stored (fewer: a picture cut off after its header). `text`: a
// compressed comment of that many bytes.
Bytes Png(std::uint32_t width, std::uint32_t height, std::uint32_t rows, std::uint64_t text = 0) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    PutBE32(header, width);
    PutBE32(header, height);
    header.insert(header.end(), {8, 0, 0, 0, 0});
    Chunk(png, "IHDR", header);
    if (text > 0) {
        Bytes comment{'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
        const Bytes z = Deflated(text, 'A', 1 << 20);
        comment.insert(comment.end(), z.begin(), z.end());
        Chunk(png, "zTXt", comment);
    }
    Chunk(png, "IDAT", Deflated(std::uint64_t{rows} * (width + 1), 0, width + 1));
    Chunk(png, "IEND", {});
    return png;
}

// An MP3 of 21 s behind an ID3v2.3 tag whose title is `bytes` long.
Bytes Mp3WithTag(const std::string& dir, std::size_t bytes) {
    const std::string mp3 = dir + "/plain.mp3";
    const std::string make = "ffmpeg -nostdin -v error -f lavfi -i sine=d=21 -ac 2 '" + mp3 + "'";
    if (std::system(make.c_str()) != 0) return {};
    Bytes frame{'T', 'I', 'T', '2'};
    PutBE32(frame, static_cast<std::uint32_t>(bytes + 1));
    frame.insert(frame.end(), {0, 0, 0});  // flags, then ISO 8859-1 text
    frame.resize(frame.size() + bytes, 'A');
    Bytes tag{'I', 'D', '3', 3, 0, 0};
    for (int shift = 21; shift >= 0; shift -= 7)
        tag.push_back(static_cast<std::uint8_t>((frame.size() >> shift) & 0x7F));
    tag.insert(tag.end(), frame.begin(), frame.end());
    const Bytes sound = ReadFile(mp3);
    tag.insert(tag.end(), sound.begin(), sound.end());
    return tag;
}

// A small .cdg with as many graphics where a raw image keeps its subcode
// (positions 98-101 of 102) as elsewhere: only decoding tells the layouts
// apart, and as a .cdg every packet draws.
Bytes TieStream() {
    Bytes cdg(104 * kCdgPacketBytes, 0);
    for (std::size_t packet : {0, 1, 2, 3, 98, 99, 100, 101}) {
        const Packet tile = Tile(static_cast<int>(packet % 18), static_cast<int>(packet % 50), 0, 5,
                                 {63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63, 63});
        std::memcpy(&cdg[packet * kCdgPacketBytes], tile.data(), tile.size());
    }
    return cdg;
}

struct Row {
    std::string name;
    std::string args;  // file names relative to the folder
    int status;
    std::string says;     // in standard error
    long rssBelowKb = 0;  // 0: not measured
    std::function<void()> check = [] {};
};

TEST(ReaderTable, EveryReaderTakesWhatPlayersTakeAndSaysWhatIsWrong) {
    if (std::system("ffmpeg -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no ffmpeg";
    JobRig rig(400 * kSectorAudioBytes, 3);
    rig.Run();
    const std::string dir = rig.dir.path().string();
    const auto f = [&](const std::string& name) { return dir + "/" + name; };
    std::mt19937 rng(5);
    const Bytes image = ReadFile(rig.output);
    WriteFile(f("song.cdg"), image);
    WriteFile(f("-x.img"), image);
    Bytes ripped = SubcodeOf(image);
    for (auto& b : ripped) b |= static_cast<std::uint8_t>(rng() << 6);
    WriteFile(f("ripped.cdg"), ripped);
    Bytes noise = MakeWav(3 * 176400);
    for (std::size_t k = 44; k < noise.size(); ++k) noise[k] = static_cast<std::uint8_t>(rng());
    WriteFile(f("noise.wav"), noise);
    WriteFile(f("tie.cdg"), TieStream());
    ASSERT_EQ(mkfifo(f("fifo").c_str(), 0600), 0);
    WriteFile(f("taken.bmp"), MakeBmp(RandomPicture(4)));
    ASSERT_EQ(std::system(("ffmpeg -nostdin -v error -f lavfi -i testsrc=s=640x480 -frames 1 '" +
                           f("whole.jpg") + "'")
                              .c_str()),
              0);
    const Bytes jpeg = ReadFile(f("whole.jpg"));
    WriteFile(f("cut.jpg"), Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() * 6 / 10));
    WriteFile(f("over.png"), Png(10001, 10000, 1));
    WriteFile(f("huge.png"), Png(20000, 20000, 1));
    WriteFile(f("limit.png"), Png(9990, 10000, 10000));
    WriteFile(f("comment.png"), Png(64, 64, 64, 256ull << 20));
    WriteFile(f("tagged.mp3"), Mp3WithTag(dir, 64 << 20));

    const std::string fifo = "Is a named pipe (FIFO), not a file";
    const std::string ripSectors = std::to_string(ripped.size() / kSectorSubcodeBytes);
    const std::vector<Row> rows = {
        {"render FIFO", "render fifo o.png", 3, "Cannot read fifo: " + fifo},
        {"render device", "render /dev/zero o.png", 3,
         "Cannot read /dev/zero: Is a device, not a file"},
        {"check FIFO picture", "check song.cdg fifo", 3, "Cannot use fifo: " + fifo},
        {"prepare-picture FIFO", "prepare-picture fifo o.bmp", 1,
         "Cannot read the picture: " + fifo},
        {"prepare-recording FIFO", "prepare-recording fifo o.wav", 1,
         "Cannot read the recording: " + fifo},
        {"render WAVE", "render noise.wav o.png", 3, "No CD+G graphics found"},
        {"export WAVE", "export noise.wav --cdg", 1,
         "Cannot export noise.wav: No CD+G graphics found"},
        {"render ripped .cdg", "render ripped.cdg o.png", 0,
         "(after sector " + ripSectors + " of " + ripSectors + ")"},
        {"render tie as .cdg", "render tie.cdg o.png", 0, "(after sector 26 of 26)"},
        {"export .cdg for sound", "export ripped.cdg --mp3", 1,
         "ripped.cdg is a .cdg stream, which holds no sound"},
        {"export image named NAME.cdg", "export song.cdg", 0, "Exported: song.zip", 0,
         [&] {
             EXPECT_EQ(ReadFile(f("song.cdg")), image);
             EXPECT_EQ(ReadFile(f("song.mp3")).empty(), false);
         }},
        {"-- before a dashed name", "export --cdg -- -x.img", 0, "Exported: -x.cdg"},
        {"cut-off JPEG", "prepare-picture cut.jpg o.bmp", 1, "The picture is damaged: "},
        {"just over 100 megapixels", "prepare-picture over.png o.bmp", 1,
         "The picture is too large (10001 x 10000 pixels"},
        {"far over", "prepare-picture huge.png o.bmp", 1,
         "The picture is too large (20000 x 20000 pixels"},
        {"100 megapixels", "prepare-picture limit.png limit.bmp", 0, "Picture converted"},
        {"already the BMP", "prepare-picture taken.bmp copy.bmp", 0, "copied unchanged", 0,
         [&] { EXPECT_EQ(ReadFile(f("copy.bmp")), ReadFile(f("taken.bmp"))); }},
        {"256 MiB of comment", "prepare-picture comment.png c.bmp", 0, "Picture converted",
         150'000},
        {"64 MiB ID3 tag", "prepare-recording tagged.mp3 t.wav", 0, "Recording converted", 120'000},
    };
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    const bool measureMemory = false;  // the sanitizers' own memory would count
#else
    const bool measureMemory = true;
#endif
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CliEnded ran = RunCliChild(Words(row.args), {.dir = dir});
        EXPECT_EQ(ran.status, row.status) << ran.err;
        EXPECT_NE(ran.err.find(row.says), std::string::npos) << ran.err;
        row.check();
        if (measureMemory && row.rssBelowKb > 0) {
            EXPECT_LT(ran.maxRssKb, row.rssBelowKb);
        }
    }
}

}  // namespace
}  // namespace orvane::test
