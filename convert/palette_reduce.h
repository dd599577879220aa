// The screen's colours (16, or fewer to leave entries for the lyrics),
// chosen and dithered by libimagequant in the 12-bit colour space a CD+G
// player shows.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "convert/convert_outcome.h"
#include "convert/picture_convert.h"
#include "encoder/picture.h"
#include "encoder/progress_sink.h"

namespace orvane {

// `rgba`: 288 x 192 opaque pixels, top row first. `reserved`, a colour that
// must be in the palette exactly (the bars' background), already 12-bit.
// Fills out's header, palette (c x 17), pixels and previewInfo; only the
// first `colours` entries (2 .. 16) are used, the rest left black. Fails only
// when stopped or when libimagequant refuses (out of memory).
ConvertOutcome ReducePalette(const std::vector<std::uint8_t>& rgba, bool dither,
                             std::optional<Rgb> reserved, ProgressSink& progress, Picture& out,
                             int colours = static_cast<int>(kPaletteEntries));

}  // namespace orvane
