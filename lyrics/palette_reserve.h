// The picture under the lyrics: its colours in entries 0 .. 11, the lyrics'
// four colours in 12 .. 15, so every lyrics pixel is known by its index.
#pragma once

#include "convert/convert_outcome.h"
#include "encoder/picture.h"
#include "lyrics/lyrics_model.h"

namespace orvane {

// A picture that shows at most 12 different colours keeps them exactly
// (renumbered); one with more is reduced to 12 by libimagequant, dithered as
// the import does, and `reduced` says so. Fails only when libimagequant does.
ConvertOutcome ReservePalette(const Picture& picture, const LyricsStyle& style, Picture& out,
                              bool& reduced);

// A lyrics colour as a player shows it (4 bits per component, times 17).
PaletteEntry PlayerEntry(const LyricsColour& colour);

}  // namespace orvane
