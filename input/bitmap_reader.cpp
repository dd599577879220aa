#include "input/bitmap_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "input/input_file.h"
#include "input/raw_file.h"

namespace orvane {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;  // 54
constexpr std::size_t kPaletteBytes = 4 * kPaletteEntries;                 // 64
static_assert(kHeaderBytes + kPaletteBytes + kPixelBytes == kBitmapFileBytes);
static_assert(sizeof(Palette) == kPaletteBytes);

struct HeaderFields {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
};

HeaderFields DecodeHeader(const std::array<std::uint8_t, kHeaderBytes>& h) {
    return {static_cast<std::int32_t>(LoadLE32(h.data(), 18)),
            static_cast<std::int32_t>(LoadLE32(h.data(), 22)), LoadLE16(h.data(), 28)};
}

bool HasRequiredForm(const HeaderFields& f, std::int64_t fileSize) {
    return f.width == kPictureWidth && f.height == kPictureHeight && f.bitsPerPixel == 4 &&
           fileSize == kBitmapFileBytes;
}

BitmapOutcome ErrorOutcome(std::string text) {
    BitmapOutcome out;
    out.status = BitmapStatus::OpenFailed;
    out.boxText = std::move(text);
    out.logLine = out.boxText;
    return out;
}

BitmapOutcome ErrorOutcome(int error) {
    return ErrorOutcome(std::string(std::strerror(error)));
}

std::string RefusalText(const HeaderFields& f) {
    // 20 characters hold any 64-bit count or "2^65535"; the rest is literal.
    char text[160];
    std::snprintf(text, sizeof text,
                  "%dx%d - %s color bitmap selected.\r\nOnly 288x192 - 16 color bitmaps!",
                  static_cast<int>(f.width), static_cast<int>(f.height),
                  ColorCountText(f.bitsPerPixel).c_str());
    return text;
}

// Palette and pixel rows, read as one piece so that a file which shrank after
// its size was taken cannot leave the picture half replaced.
struct Body {
    Palette palette;
    std::array<std::uint8_t, kPixelBytes> pixels;
};
static_assert(sizeof(Body) == kPaletteBytes + kPixelBytes);

}  // namespace

std::string ColorCountText(std::uint16_t bitsPerPixel) {
    if (bitsPerPixel >= 64) return "2^" + std::to_string(bitsPerPixel);
    return std::to_string(std::uint64_t{1} << bitsPerPixel);
}

BitmapOutcome ReadBitmapFrom(int fd, std::int64_t fileSize, const std::string& path,
                             Picture& picture) {
    // A file shorter than 54 bytes reads as if its missing bytes were zero.
    std::array<std::uint8_t, kHeaderBytes> head{};
    if (ReadUpTo(fd, head.data(), head.size()) < 0) return ErrorOutcome(errno);
    std::memcpy(picture.header.data(), head.data() + kFileHeaderBytes, kInfoHeaderBytes);

    const HeaderFields fields = DecodeHeader(head);
    BitmapOutcome out;
    out.width = fields.width;
    out.height = fields.height;
    out.bitsPerPixel = fields.bitsPerPixel;
    out.status = BitmapStatus::Refused;
    out.boxText = RefusalText(fields);
    out.logLine = "Invalid BMP file selected";
    if (!HasRequiredForm(fields, fileSize)) return out;

    Body body;
    const long got = ReadUpTo(fd, &body, sizeof body);
    if (got < 0) return ErrorOutcome(errno);
    // Fewer bytes than the size promised: the file shrank meanwhile and is no
    // longer the required form, so it is refused like any other wrong size.
    if (static_cast<std::size_t>(got) != sizeof body) return out;

    picture.palette = body.palette;
    picture.pixels = body.pixels;
    UpdatePreviewInfo(picture);
    out.status = BitmapStatus::Accepted;
    out.boxText.clear();
    out.logLine = "Valid BMP file loaded: " + path;
    return out;
}

// Opened for reading and writing, as the program always has.
BitmapOutcome ReadBitmapFile(const std::string& path, Picture& picture) {
    const OpenedInput input = OpenInputFile(path, O_RDWR);
    if (!input) return ErrorOutcome(input.error);
    BitmapOutcome out = ReadBitmapFrom(input.fd, input.size, path, picture);
    close(input.fd);
    return out;
}

}  // namespace orvane
