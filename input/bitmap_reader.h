// Reads and checks a picture file: only a 288 x 192, 4-bit BMP of exactly
// 27,766 bytes is accepted, and its palette and pixel rows are kept as stored.
#pragma once

#include <cstdint>
#include <string>

#include "encoder/picture.h"

namespace orvane {

inline constexpr std::int64_t kBitmapFileBytes = 27766;

enum class BitmapStatus {
    Accepted,    // picture now holds the file
    Refused,     // wrong size, depth or length; only picture.header changed
    OpenFailed,  // the file could not be opened or read; palette and pixels unchanged
};

struct BitmapOutcome {
    BitmapStatus status = BitmapStatus::OpenFailed;
    // What the front end shows: the box text (empty when accepted) and the
    // log line. For OpenFailed both are the C library's text for the error.
    std::string boxText;
    std::string logLine;
    // As read from the header (zero where a short file has no bytes).
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
};

// Opens `path` for reading and writing, reads and checks it, closes it.
BitmapOutcome ReadBitmapFile(const std::string& path, Picture& picture);

// The same on a descriptor the caller opened (and closes), positioned at the
// file's start, whose size in the file system is `fileSize`. A read error
// gives OpenFailed with the C library's text; fewer bytes than `fileSize`
// promised give Refused, with palette, pixels and previewInfo untouched.
BitmapOutcome ReadBitmapFrom(int fd, std::int64_t fileSize, const std::string& path,
                             Picture& picture);

// "2^bits" as the refusal message shows it: exact decimal below 64 bits,
// the text "2^N" from 64 on.
std::string ColorCountText(std::uint16_t bitsPerPixel);

}  // namespace orvane
