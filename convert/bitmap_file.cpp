#include "convert/bitmap_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "input/input_file.h"

namespace orvane {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kPixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * kPaletteEntries;

void PutLE32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::array<std::uint8_t, kBitmapFileBytes> BitmapFileBytes(const Picture& picture) {
    std::array<std::uint8_t, kBitmapFileBytes> file{};
    file[0] = 'B';
    file[1] = 'M';
    PutLE32(file.data() + 2, static_cast<std::uint32_t>(kBitmapFileBytes));
    PutLE32(file.data() + 10, static_cast<std::uint32_t>(kPixelOffset));
    auto at =
        std::copy(picture.header.begin(), picture.header.end(), file.begin() + kFileHeaderBytes);
    for (const PaletteEntry& e : picture.palette) {
        *at++ = e.blue;
        *at++ = e.green;
        *at++ = e.red;
        *at++ = 0;
    }
    std::copy(picture.pixels.begin(), picture.pixels.end(), at);
    return file;
}

bool ReadTakenBitmap(const std::string& path, std::array<std::uint8_t, kBitmapFileBytes>& bytes) {
    const OpenedInput input = OpenInputFile(path, O_RDONLY);
    if (!input) return false;
    auto picture = std::make_unique<Picture>();
    const bool taken =
        input.size == kBitmapFileBytes &&
        ReadBitmapFrom(input.fd, input.size, path, *picture).status == BitmapStatus::Accepted &&
        pread(input.fd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    close(input.fd);
    return taken;
}

}  // namespace orvane
