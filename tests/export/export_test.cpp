// A whole export checked by the programs that read its files: ffmpeg and
// ffprobe, unzip and cdrdao.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "export_rig.h"
#include "player/cdg_stream.h"

namespace orvane {
namespace {

using test::AudioOf;
using test::Bytes;
using test::Capture;
using test::Quote;
using test::SamplesAsCdrdaoPrintsThem;

constexpr std::size_t kSectors = 1540;  // the picture, then a little more

std::string Probe(const std::string& file, const std::string& entries) {
    return Capture("ffprobe -v error -of default=nw=1 -show_entries " + entries + " " +
                   Quote(file));
}

// ffmpeg's CD+G decoder draws the picture, border aside, in 4-bit colours.
void ExpectPicture(const std::string& cdg, const Picture& picture) {
    const auto rgb = test::FfmpegLastFrame(cdg);
    ASSERT_TRUE(rgb);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const PaletteEntry& e = picture.palette[PixelAt(picture, x, y)];
            const std::uint8_t* px = &(*rgb)[((y + 12) * 300 + (x + 6)) * 3];
            ASSERT_EQ(px[0], (e.red >> 4) * 17) << x << "," << y;
            ASSERT_EQ(px[1], (e.green >> 4) * 17) << x << "," << y;
            ASSERT_EQ(px[2], (e.blue >> 4) * 17) << x << "," << y;
        }
    }
}

void ExpectBundle(const std::string& zip, const std::string& base, const std::string& sound,
                  const std::string& cdg) {
    int status = -1;
    Capture("unzip -tq " + Quote(zip), &status);
    EXPECT_EQ(status, 0) << zip;
    const std::string ext = sound.substr(sound.size() - 4);
    EXPECT_EQ(Capture("unzip -Z1 " + Quote(zip)), base + ext + "\n" + base + ".cdg\n");
    EXPECT_EQ(Capture("unzip -p " + Quote(zip) + " " + Quote(base + ext)),
              Capture("cat " + Quote(sound)));
    EXPECT_EQ(Capture("unzip -p " + Quote(zip) + " " + Quote(base + ".cdg")),
              Capture("cat " + Quote(cdg)));
}

TEST(Export, EveryFileFromOnePassReadsBackAsTheImage) {
    test::ImageRig rig(kSectors, 1000);
    const std::string out = rig.dir.File("for players");
    std::filesystem::create_directory(out);
    ExportTargets t;
    t.cdg = rig.dir.File("song.cdg");
    t.wav = rig.dir.File("song.wav");
    t.mp3 = rig.dir.File("The Band - A Song.mp3");
    t.mp3Zip = out + "/Artist - Title.zip";
    t.wavZip = out + "/wave.zip";
    t.toc = rig.dir.File("song.toc");
    test::RecordingProgress progress;
    const ExportResult result = RunExport(rig.Request(t), progress);
    ASSERT_EQ(result.status, ExportStatus::Completed) << result.message;
    EXPECT_EQ(result.written, t.All());
    EXPECT_EQ(result.ignoredBytes, 1000u);
    ASSERT_EQ(progress.logs.size(), 7u);
    EXPECT_NE(progress.logs[0].find("last 1,000 bytes"), std::string::npos) << progress.logs[0];
    EXPECT_EQ(progress.logs[6], "Exported: " + t.toc);

    const Bytes image = test::ReadFile(rig.image);
    const Bytes audio = AudioOf(image);
    EXPECT_EQ(test::ReadFile(t.cdg), test::SubcodeOf(image));
    ExpectPicture(t.cdg, rig.inputs.picture);

    const Bytes wav = test::ReadFile(t.wav);
    ASSERT_EQ(wav.size(), 44 + audio.size());
    EXPECT_TRUE(std::equal(audio.begin(), audio.end(), wav.begin() + 44));
    const std::string samples = std::to_string(kSectors * 588);
    EXPECT_EQ(Probe(t.wav, "stream=sample_rate,channels,duration_ts"),
              "sample_rate=44100\nchannels=2\nduration_ts=" + samples + "\n");
    EXPECT_EQ(Probe(t.mp3, "stream=codec_name,sample_rate,channels,bit_rate"),
              "codec_name=mp3\nsample_rate=44100\nchannels=2\nbit_rate=192000\n");
    // Players list songs by the tag (a web player refuses an MP3 without a
    // title): here from the name, "Artist - Title".
    EXPECT_EQ(Probe(t.mp3, "format_tags=title,artist"), "TAG:title=A Song\nTAG:artist=The Band\n");
    // The info tag's delay and padding trim the decoded sound to the image's.
    const std::string decoded =
        Capture("ffmpeg -nostdin -v error -i " + Quote(t.mp3) + " -f s16le -");
    EXPECT_EQ(decoded.size(), audio.size());

    ExpectBundle(t.mp3Zip, "Artist - Title", t.mp3, t.cdg);
    ExpectBundle(t.wavZip, "wave", t.wav, t.cdg);
}

// A click one second in is heard one second in: the encoder's delay is
// recorded and ffmpeg skips it, so the sound keeps in step with the .cdg.
TEST(Export, Mp3KeepsTheSoundInStepWithTheGraphics) {
    test::TempDir dir;
    const std::size_t click = 44100;
    Bytes image(300 * 2448, 0);
    test::AddPresets(image);
    for (std::size_t f = click; f < click + 2; ++f) {
        const std::size_t at = f / 588 * 2448 + f % 588 * 4;
        image[at + 1] = image[at + 3] = 0x60;  // 24,576 on both channels
    }
    ExportRequest request;
    request.image = dir.File("click.img");
    request.targets.mp3 = dir.File("click.mp3");
    request.artist = "Someone";  // given: the title still comes from the name
    test::WriteFile(request.image, image);
    test::RecordingProgress progress;
    ASSERT_EQ(RunExport(request, progress).status, ExportStatus::Completed);
    EXPECT_EQ(Probe(request.targets.mp3, "format_tags=title,artist"),
              "TAG:title=click\nTAG:artist=Someone\n");
    const std::string decoded =
        Capture("ffmpeg -nostdin -v error -i " + Quote(request.targets.mp3) + " -f s16le -ac 1 -");
    ASSERT_EQ(decoded.size(), 300 * 588 * 2);
    std::size_t loudest = 0;
    int peak = 0;
    for (std::size_t i = 0; i + 1 < decoded.size(); i += 2) {
        const int v =
            std::abs(static_cast<std::int16_t>(static_cast<std::uint8_t>(decoded[i]) |
                                               static_cast<std::uint8_t>(decoded[i + 1]) << 8));
        if (v > peak) peak = v, loudest = i / 2;
    }
    EXPECT_NEAR(static_cast<double>(loudest), static_cast<double>(click), 4.0);
}

TEST(Export, CdrdaoBurnsTheImageFromItsToc) {
    // The image beside the toc, in another folder, with a name cdrdao
    // misreads unless quoted and escaped, and through a link in a folder of
    // its own that points into the toc's folder (the toc must name the link,
    // not the name it points to, from the toc's folder).
    struct Case {
        const char* image;
        const char* toc;
        const char* link = nullptr;  // a symbolic link to the image, given instead
    } cases[] = {
        {"song.img", "song.toc"},
        {"song.img", "elsewhere/song.toc"},
        {"it's \"a\\\"b\\101\".img", "it's.toc"},  // a bare \101 is "A" to cdrdao
        {"B/song.img", "B/burn.toc", "A/link.img"},
        {"B C/chanson d'\xC3\xA9t\xC3\xA9 \\.img", "B C/\xC3\xA9.toc", "A/l i\\nk.img"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toc);
        test::ImageRig rig(300);
        for (const char* folder : {"elsewhere", "A", "B", "B C"}) {
            std::filesystem::create_directories(rig.dir.File(folder));
        }
        const std::string image = rig.dir.File(c.image);
        std::filesystem::rename(rig.image, image);
        ExportRequest request = rig.Request({});
        request.image = image;
        if (c.link) {
            request.image = rig.dir.File(c.link);
            std::filesystem::create_symlink(image, request.image);
        }
        request.targets.toc = rig.dir.File(c.toc);
        test::RecordingProgress progress;
        ASSERT_EQ(RunExport(request, progress).status, ExportStatus::Completed);

        // The toc tells the user to swap, as the samples below need.
        const Bytes toc = test::ReadFile(request.targets.toc);
        EXPECT_NE(std::string(toc.begin(), toc.end()).find("cdrdao write --swap "),
                  std::string::npos);
        // From another folder, as a user would run it.
        const std::string cdrdao = "cd / && cdrdao ";
        const std::string tocArg = Quote(request.targets.toc);
        EXPECT_EQ(Capture(cdrdao + "toc-size " + tocArg + " 2>/dev/null"), "300\n");
        EXPECT_EQ(Capture(cdrdao + "show-data --swap " + tocArg + " 2>/dev/null"),
                  SamplesAsCdrdaoPrintsThem(AudioOf(test::ReadFile(image))));
    }
}

}  // namespace
}  // namespace orvane
