#include "input/bitmap_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <random>

#include "support/fixtures.h"

namespace orvane {
namespace {

using test::Bytes;

Bytes Slice(const Bytes& b, std::size_t from, std::size_t count) {
    return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(from + count));
}

template <typename Array>
Bytes AsBytes(const Array& a) {
    Bytes b(sizeof a);
    std::memcpy(b.data(), &a, sizeof a);
    return b;
}

// A picture already loaded before the file under test, so that "unchanged"
// means something: not the all-zero start state.
Picture EarlierPicture() {
    Picture p = test::RandomPicture(99);
    UpdatePreviewInfo(p);
    return p;
}

void ExpectOnlyHeaderChanged(const Picture& before, const Picture& after) {
    EXPECT_EQ(AsBytes(after.palette), AsBytes(before.palette));
    EXPECT_EQ(AsBytes(after.pixels), AsBytes(before.pixels));
    EXPECT_EQ(AsBytes(after.previewInfo), AsBytes(before.previewInfo));
}

class BitmapReader : public ::testing::Test {
  protected:
    test::TempDir dir;
    std::string Write(const Bytes& bytes, const std::string& name = "in.bmp") {
        const std::string path = dir.File(name);
        test::WriteFile(path, bytes);
        return path;
    }
};

TEST_F(BitmapReader, AcceptedFileIsHeldByteForByte) {
    Picture source = test::RandomPicture(5);
    std::mt19937 rng(11);
    for (auto& e : source.palette)
        e = {std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng()), std::uint8_t(rng())};
    Bytes file = test::MakeBmp(source);
    // Fields that are not examined must pass through unchanged.
    file[0] = 'X';
    file[1] = 'Y';
    test::PutLE32(file, 30, 2);     // compression
    test::PutLE32(file, 46, 16);    // colours used
    test::PutLE32(file, 50, 0x55);  // important colours
    const std::string path = Write(file);

    Picture pic = EarlierPicture();
    const BitmapOutcome out = ReadBitmapFile(path, pic);

    EXPECT_EQ(out.status, BitmapStatus::Accepted);
    EXPECT_EQ(out.boxText, "");
    EXPECT_EQ(out.logLine, "Valid BMP file loaded: " + path);
    EXPECT_EQ(AsBytes(pic.header), Slice(file, 14, 40));
    EXPECT_EQ(AsBytes(pic.palette), Slice(file, 54, 64));
    EXPECT_EQ(AsBytes(pic.pixels), Slice(file, 118, 27648));
    Bytes preview = Slice(file, 14, 40);
    const Bytes palette = Slice(file, 54, 64);
    preview.insert(preview.end(), palette.begin(), palette.end());
    EXPECT_EQ(AsBytes(pic.previewInfo), preview);
}

struct RefusalCase {
    test::BmpFields fields;
    const char* firstLine;
};

TEST_F(BitmapReader, RefusalsNameTheFormReadAndKeepTheEarlierPicture) {
    const RefusalCase cases[] = {
        {{288, 192, 8, 27766}, "288x192 - 256 color bitmap selected."},
        {{640, 480, 24, 27766}, "640x480 - 16777216 color bitmap selected."},
        {{288, -192, 4, 27766}, "288x-192 - 16 color bitmap selected."},
        {{288, 192, 32, 27766}, "288x192 - 4294967296 color bitmap selected."},
        {{288, 192, 64, 27766}, "288x192 - 2^64 color bitmap selected."},
        {{288, 192, 4, 27767}, "288x192 - 16 color bitmap selected."},  // one byte too many
        {{288, 192, 4, 27765}, "288x192 - 16 color bitmap selected."},  // one byte short
        {{287, 192, 4, 27766}, "287x192 - 16 color bitmap selected."},
        {{288, 193, 4, 27766}, "288x193 - 16 color bitmap selected."},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.firstLine);
        const Bytes file = test::MakeBmp(test::RandomPicture(3), c.fields);
        Picture pic = EarlierPicture();
        const Picture before = pic;
        const BitmapOutcome out = ReadBitmapFile(Write(file), pic);

        EXPECT_EQ(out.status, BitmapStatus::Refused);
        EXPECT_EQ(out.boxText, std::string(c.firstLine) + "\r\nOnly 288x192 - 16 color bitmaps!");
        EXPECT_EQ(out.logLine, "Invalid BMP file selected");
        EXPECT_EQ(out.width, c.fields.width);
        EXPECT_EQ(out.height, c.fields.height);
        EXPECT_EQ(out.bitsPerPixel, c.fields.bitsPerPixel);
        EXPECT_EQ(AsBytes(pic.header), Slice(file, 14, 40));  // copied before any test
        ExpectOnlyHeaderChanged(before, pic);
    }
}

TEST(ColorCountText, ExactBelowSixtyFourBitsThenAPower) {
    EXPECT_EQ(ColorCountText(0), "1");
    EXPECT_EQ(ColorCountText(31), "2147483648");
    EXPECT_EQ(ColorCountText(63), "9223372036854775808");
    EXPECT_EQ(ColorCountText(64), "2^64");
    EXPECT_EQ(ColorCountText(65535), "2^65535");
}

TEST_F(BitmapReader, FileShorterThanTheHeaderReadsMissingBytesAsZero) {
    // 20 bytes: the low half of the width is there, nothing after it.
    Bytes file = Slice(test::MakeBmp(test::RandomPicture(1)), 0, 20);
    Picture pic = EarlierPicture();
    const Picture before = pic;
    BitmapOutcome out = ReadBitmapFile(Write(file), pic);
    EXPECT_EQ(out.status, BitmapStatus::Refused);
    EXPECT_EQ(out.boxText, "288x0 - 1 color bitmap selected.\r\nOnly 288x192 - 16 color bitmaps!");
    Bytes header = Slice(file, 14, 6);
    header.resize(40, 0);
    EXPECT_EQ(AsBytes(pic.header), header);
    ExpectOnlyHeaderChanged(before, pic);

    out = ReadBitmapFile(Write({}, "empty.bmp"), pic);
    EXPECT_EQ(out.status, BitmapStatus::Refused);
    EXPECT_EQ(out.boxText, "0x0 - 1 color bitmap selected.\r\nOnly 288x192 - 16 color bitmaps!");
    EXPECT_EQ(AsBytes(pic.header), Bytes(40, 0));
}

TEST_F(BitmapReader, UnopenableFilesGiveTheSystemTextAndChangeNothing) {
    const std::string plain = Write(test::MakeBmp(test::RandomPicture(2)));
    const struct {
        std::string path;
        const char* text;
    } cases[] = {
        {dir.File("missing.bmp"), "No such file or directory"},
        {dir.path().string(), "Is a directory"},  // opened for writing too
        {plain + "/x.bmp", "Not a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Picture pic = EarlierPicture();
        const Picture before = pic;
        const BitmapOutcome out = ReadBitmapFile(c.path, pic);
        EXPECT_EQ(out.status, BitmapStatus::OpenFailed);
        EXPECT_EQ(out.boxText, c.text);
        EXPECT_EQ(out.logLine, c.text);
        EXPECT_EQ(AsBytes(pic.header), AsBytes(before.header));
        ExpectOnlyHeaderChanged(before, pic);
    }
}

TEST_F(BitmapReader, PipeIsRefusedAtOnceForWhatItIs) {
    const std::string fifo = dir.File("fifo.bmp");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Picture pic = EarlierPicture();
    const Picture before = pic;
    const BitmapOutcome out = ReadBitmapFile(fifo, pic);
    EXPECT_EQ(out.status, BitmapStatus::OpenFailed);
    EXPECT_EQ(out.boxText, "Is a named pipe (FIFO), not a file");
    EXPECT_EQ(AsBytes(pic.header), AsBytes(before.header));
}

TEST_F(BitmapReader, ReadOnlyFileIsRefusedAtTheOpen) {
    if (geteuid() == 0) GTEST_SKIP() << "root may open a read-only file for writing";
    const std::string path = Write(test::MakeBmp(test::RandomPicture(2)));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    Picture pic = EarlierPicture();
    const BitmapOutcome out = ReadBitmapFile(path, pic);
    EXPECT_EQ(out.status, BitmapStatus::OpenFailed);
    EXPECT_EQ(out.boxText, "Permission denied");
    EXPECT_EQ(out.logLine, "Permission denied");
}

// A file that shrinks between taking its size and reading its body: a pipe
// delivers fewer bytes than the size claims.
TEST(BitmapReaderFrom, ShortBodyIsRefusedWithoutTouchingThePicture) {
    const Bytes file = test::MakeBmp(test::RandomPicture(4));
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::size_t sent = 54 + 64 + 1000;
    ASSERT_EQ(write(fds[1], file.data(), sent), static_cast<ssize_t>(sent));
    close(fds[1]);

    Picture pic = EarlierPicture();
    const Picture before = pic;
    const BitmapOutcome out = ReadBitmapFrom(fds[0], kBitmapFileBytes, "p.bmp", pic);
    close(fds[0]);
    EXPECT_EQ(out.status, BitmapStatus::Refused);
    EXPECT_EQ(out.logLine, "Invalid BMP file selected");
    EXPECT_EQ(AsBytes(pic.header), Slice(file, 14, 40));
    ExpectOnlyHeaderChanged(before, pic);
}

TEST(BitmapReaderFrom, ReadErrorGivesTheSystemTextAndChangesNothing) {
    test::TempDir dir;
    const std::string path = dir.File("w.bmp");
    test::WriteFile(path, test::MakeBmp(test::RandomPicture(4)));
    const int fd = open(path.c_str(), O_WRONLY);  // reading it fails with EBADF
    ASSERT_GE(fd, 0);
    Picture pic = EarlierPicture();
    const Picture before = pic;
    const BitmapOutcome out = ReadBitmapFrom(fd, kBitmapFileBytes, path, pic);
    close(fd);
    EXPECT_EQ(out.status, BitmapStatus::OpenFailed);
    EXPECT_EQ(out.boxText, "Bad file descriptor");
    EXPECT_EQ(out.logLine, "Bad file descriptor");
    EXPECT_EQ(AsBytes(pic.header), AsBytes(before.header));
    ExpectOnlyHeaderChanged(before, pic);
}

// ImageMagick's 16-colour BMP3 output is the form this program asks users for.
TEST_F(BitmapReader, ImageMagickSixteenColourBmpIsAccepted) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "no convert";
    const std::string path = dir.File("im.bmp");
    const std::string cmd =
        "convert -size 288x192 gradient:red-blue -colors 16 -type palette "
        "-depth 4 BMP3:'" +
        path + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) GTEST_SKIP() << "convert failed";
    const Bytes file = test::ReadFile(path);
    if (file.size() != 27766) GTEST_SKIP() << "convert wrote " << file.size() << " bytes";

    Picture pic = EarlierPicture();
    const BitmapOutcome out = ReadBitmapFile(path, pic);
    EXPECT_EQ(out.status, BitmapStatus::Accepted);
    EXPECT_EQ(AsBytes(pic.palette), Slice(file, 54, 64));
    EXPECT_EQ(AsBytes(pic.pixels), Slice(file, 118, 27648));
    // Top row is red, bottom row blue, as ImageMagick drew them.
    const PaletteEntry top = pic.palette[PixelAt(pic, 0, 0)];
    const PaletteEntry bottom = pic.palette[PixelAt(pic, 0, 191)];
    EXPECT_GT(top.red, top.blue);
    EXPECT_GT(bottom.blue, bottom.red);
}

}  // namespace
}  // namespace orvane
