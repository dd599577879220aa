// The bytes of the BMP file Orvane takes, from a picture.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "encoder/picture.h"
#include "input/bitmap_reader.h"

namespace orvane {

// File header, the picture's info header, its 16 palette entries and its
// bottom-up rows: 27,766 bytes that ReadBitmapFile accepts as they are.
std::array<std::uint8_t, kBitmapFileBytes> BitmapFileBytes(const Picture& picture);

// True, with the file's bytes in `bytes`, when `path` is already a picture
// ReadBitmapFile accepts: converting it again would only change it.
bool ReadTakenBitmap(const std::string& path, std::array<std::uint8_t, kBitmapFileBytes>& bytes);

}  // namespace orvane
