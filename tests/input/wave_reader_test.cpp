#include "input/wave_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "support/fixtures.h"

namespace orvane {
namespace {

using test::Bytes;

constexpr std::int64_t kEarlierLength = 123456789;
constexpr std::int64_t kEarlierOffset = 77;

// Numbers left by an earlier file, so that "kept" is told apart from zero.
WaveNumbers Earlier() {
    return {kEarlierLength, kEarlierOffset};
}

// A valid format header with no "data" tag anywhere in its first 100 bytes.
Bytes FormatOnlyHeader() {
    Bytes b = test::MakeWav(0);
    b.resize(100, 'x');
    std::memcpy(&b[36], "xxxx", 4);
    return b;
}

// A refusal before the data tag was found: the length is replaced, the
// earlier offset kept.
void ExpectRefusedBeforeTheTag(const WaveOutcome& out, const WaveNumbers& n, WaveStatus status,
                               const char* boxText, std::int64_t length) {
    EXPECT_EQ(out.status, status);
    EXPECT_EQ(out.boxText, boxText);
    EXPECT_EQ(out.logLine, "Invalid WAVE file selected");
    EXPECT_EQ(n.fileLength, length);
    EXPECT_EQ(n.audioDataOffset, kEarlierOffset);
}

class WaveReader : public ::testing::Test {
  protected:
    test::TempDir dir;
    // Writes `head`, then makes the file `length` bytes long (zero-filled).
    std::string Write(const Bytes& head, std::int64_t length, const std::string& name = "in.wav") {
        const std::string path = dir.File(name);
        test::WriteFile(path, head);
        std::filesystem::resize_file(path, static_cast<std::uintmax_t>(length));
        return path;
    }
    WaveOutcome Check(const std::string& path, WaveNumbers& n) { return CheckWaveFile(path, n); }
    // Runs a tool that writes `path` and checks the reader against the file's
    // own chunk layout. Returns the offset found, or -1 when the tool failed.
    std::int64_t ExpectToolOutputAccepted(const std::string& path, const std::string& cmd);
};

TEST_F(WaveReader, TwentySecondsExactlyIsAcceptedOneByteLessIsNot) {
    const std::string ok = dir.File("ok.wav");
    test::WriteFile(ok, test::MakeWav(3528000));
    WaveNumbers n = Earlier();
    WaveOutcome out = Check(ok, n);
    EXPECT_EQ(out.status, WaveStatus::Accepted);
    EXPECT_EQ(out.boxText, "");
    EXPECT_EQ(out.logLine, "Valid WAVE file selected: " + ok);
    EXPECT_EQ(n.fileLength, 3528044);
    EXPECT_EQ(n.audioDataOffset, 44);

    const std::string shorter = dir.File("short.wav");
    test::WriteFile(shorter, test::MakeWav(3527999));
    n = Earlier();
    out = Check(shorter, n);
    EXPECT_EQ(out.status, WaveStatus::TooShort);
    EXPECT_EQ(out.boxText, "WAVE file too short (must be at least 20 sec)");
    EXPECT_EQ(out.logLine, "Invalid WAVE file selected");
    // A too-short file leaves both its numbers behind.
    EXPECT_EQ(n.fileLength, 3528043);
    EXPECT_EQ(n.audioDataOffset, 44);
}

TEST_F(WaveReader, WrongFormatsAreRefusedAndKeepTheEarlierOffset) {
    test::WavFields rifx;
    rifx.riff = "RIFX";
    test::WavFields mono;
    mono.channels = 1;
    test::WavFields eightBit;
    eightBit.bitsPerSample = 8;
    test::WavFields rate22k;
    rate22k.sampleRate = 22050;
    test::WavFields rate48k;
    rate48k.sampleRate = 48000;
    for (const test::WavFields& f : {rifx, mono, eightBit, rate22k, rate48k}) {
        SCOPED_TRACE(std::string(f.riff) + " " + std::to_string(f.channels) + " ch " +
                     std::to_string(f.sampleRate) + " Hz " + std::to_string(f.bitsPerSample));
        const Bytes head = test::MakeWav(0, f);
        WaveNumbers n = Earlier();
        const WaveOutcome out = Check(Write(head, 4000000), n);
        ExpectRefusedBeforeTheTag(out, n, WaveStatus::BadFormat,
                                  "Invalid WAVE format, must be 44.1 kHz/16 bit/stereo", 4000000);
    }
}

TEST_F(WaveReader, DataTagIsFoundWhereverItFirstStandsUpToByte95) {
    struct Case {
        const char* what;
        std::size_t tagAt;
        const char* decoy;  // text placed at 40, before the tag
    };
    const Case cases[] = {
        {"plain header", 36, nullptr},
        {"after a list chunk", 70, nullptr},
        {"first occurrence wins", 80, "metadata"},  // "data" at 44
        {"last place it fits", 95, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes head = FormatOnlyHeader();
        // Zero bytes between the fields and the tag must not end the search.
        std::fill(head.begin() + 36, head.end(), 0);
        std::memcpy(&head[c.tagAt], "data", 4);
        if (c.decoy) std::memcpy(&head[40], c.decoy, std::strlen(c.decoy));
        WaveNumbers n = Earlier();
        const WaveOutcome out = Check(Write(head, 4000000), n);
        EXPECT_EQ(out.status, WaveStatus::Accepted);
        const std::size_t first = c.decoy ? 44 : c.tagAt;
        EXPECT_EQ(n.audioDataOffset, static_cast<std::int64_t>(first + 8));
    }

    // The fixture's own list chunk: "LIST" + size + 14 bytes of text.
    test::WavFields withList;
    withList.extraChunks = {'L', 'I', 'S', 'T', 14,  0, 0, 0, 'I', 'N', 'F',
                            'O', 'I', 'S', 'F', 'T', 2, 0, 0, 0,   'x', 0};
    WaveNumbers n = Earlier();
    EXPECT_EQ(Check(Write(test::MakeWav(0, withList), 4000000), n).status, WaveStatus::Accepted);
    EXPECT_EQ(n.audioDataOffset, static_cast<std::int64_t>(test::WavHeaderBytes(withList)));
}

TEST_F(WaveReader, NoTagInTheFirst99BytesIsRefused) {
    Bytes head = FormatOnlyHeader();
    std::memcpy(&head[96], "data", 4);  // would need byte 99, which is not searched
    WaveNumbers n = Earlier();
    const WaveOutcome out = Check(Write(head, 4000000), n);
    ExpectRefusedBeforeTheTag(out, n, WaveStatus::NoDataChunk,
                              "Invalid WAVE file, no data chunk found in its first 99 bytes",
                              4000000);
}

TEST_F(WaveReader, ShortFilesAreRefused) {
    // Under 36 bytes the format fields are missing: they read as zero, so the
    // format test refuses it.
    WaveNumbers n = Earlier();
    const Bytes head = test::MakeWav(0);
    WaveOutcome out = Check(Write(Bytes(head.begin(), head.begin() + 30), 30), n);
    ExpectRefusedBeforeTheTag(out, n, WaveStatus::BadFormat,
                              "Invalid WAVE format, must be 44.1 kHz/16 bit/stereo", 30);

    n = Earlier();
    EXPECT_EQ(Check(Write({}, 0, "empty.wav"), n).status, WaveStatus::BadFormat);
    EXPECT_EQ(n.fileLength, 0);

    // A header with no audio after it.
    n = Earlier();
    EXPECT_EQ(Check(Write(test::MakeWav(0), 44, "bare.wav"), n).status, WaveStatus::TooShort);
    EXPECT_EQ(n.fileLength, 44);
    EXPECT_EQ(n.audioDataOffset, 44);
}

TEST_F(WaveReader, LengthBeyondFourGigabytesIsKeptWhole) {
    const std::int64_t big = (std::int64_t{5} << 30) + 3;  // sparse: costs no disk
    WaveNumbers n = Earlier();
    EXPECT_EQ(Check(Write(test::MakeWav(0), big), n).status, WaveStatus::Accepted);
    EXPECT_EQ(n.fileLength, big);
}

TEST_F(WaveReader, UnopenableFilesGiveTheSystemTextAndChangeNothing) {
    const std::string plain = Write(test::MakeWav(0), 44);
    const std::string fifo = dir.File("fifo.wav");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        const char* text;
    } cases[] = {
        {dir.File("missing.wav"), "No such file or directory"},
        {dir.path().string(), "Is a directory"},
        {plain + "/x.wav", "Not a directory"},
        {fifo, "Is a named pipe (FIFO), not a file"},  // refused before any read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        WaveNumbers n = Earlier();
        const WaveOutcome out = Check(c.path, n);
        EXPECT_EQ(out.status, WaveStatus::OpenFailed);
        EXPECT_EQ(out.boxText, c.text);
        EXPECT_EQ(out.logLine, c.text);
        EXPECT_EQ(n.fileLength, kEarlierLength);
        EXPECT_EQ(n.audioDataOffset, kEarlierOffset);
    }
}

TEST_F(WaveReader, ReadOnlyFileIsRefusedAtTheOpen) {
    if (geteuid() == 0) GTEST_SKIP() << "root may open a read-only file for writing";
    const std::string path = Write(test::MakeWav(0), 4000000);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    WaveNumbers n = Earlier();
    const WaveOutcome out = Check(path, n);
    EXPECT_EQ(out.status, WaveStatus::OpenFailed);
    EXPECT_EQ(out.boxText, "Permission denied");
    EXPECT_EQ(n.fileLength, kEarlierLength);
}

// Where the data chunk really starts, found by walking the RIFF chunks: an
// oracle independent of the reader's text search.
std::int64_t AudioStartByChunks(const Bytes& b) {
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::uint32_t size =
            b[at + 4] | (b[at + 5] << 8) | (b[at + 6] << 16) | (std::uint32_t(b[at + 7]) << 24);
        if (std::memcmp(&b[at], "data", 4) == 0) return static_cast<std::int64_t>(at + 8);
        at += 8 + size + (size & 1);
    }
    return -1;
}

std::int64_t WaveReader::ExpectToolOutputAccepted(const std::string& path, const std::string& cmd) {
    if (std::system(cmd.c_str()) != 0) return -1;
    const Bytes file = test::ReadFile(path);
    WaveNumbers n;
    EXPECT_EQ(Check(path, n).status, WaveStatus::Accepted);
    EXPECT_EQ(n.audioDataOffset, AudioStartByChunks(file));
    EXPECT_EQ(n.fileLength, static_cast<std::int64_t>(file.size()));
    return n.audioDataOffset;
}

TEST_F(WaveReader, SoxOutputIsAccepted) {
    const std::string path = dir.File("sox.wav");
    const std::int64_t offset = ExpectToolOutputAccepted(
        path, "sox -n -r 44100 -c 2 -b 16 '" + path + "' synth 21 sine 440 2>/dev/null");
    if (offset < 0) GTEST_SKIP() << "sox did not run";
}

TEST_F(WaveReader, FfmpegOutputWithItsListChunkIsAccepted) {
    const std::string path = dir.File("ffmpeg.wav");
    const std::int64_t offset = ExpectToolOutputAccepted(
        path,
        "ffmpeg -nostdin -loglevel error -f lavfi -i sine=frequency=440:duration=21 "
        "-ac 2 -ar 44100 -c:a pcm_s16le -y '" +
            path + "' 2>/dev/null");
    if (offset < 0) GTEST_SKIP() << "ffmpeg did not run";
    EXPECT_GT(offset, 44) << "expected ffmpeg's list chunk before the data chunk";
}

}  // namespace
}  // namespace orvane
