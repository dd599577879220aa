// Writing the audio or the subcode of a run of raw sectors straight from the
// read buffer, without gathering it first, and starting the disk writes early.
#pragma once

#include <cstddef>
#include <cstdint>

#include "encoder/output_file.h"

namespace orvane {

// Writes `count` pieces of `size` bytes, piece i at data + i * stride, to
// `fd` at its current offset (writev; partial writes and EINTR continued).
OutputError WriteStrided(int fd, const std::uint8_t* data, std::size_t count, std::size_t stride,
                         std::size_t size);

// Starts writing what is dirty of `fd` to the disk and returns without
// waiting, so the fsync before the rename finds little left to do.
void StartWriteBack(int fd);

}  // namespace orvane
