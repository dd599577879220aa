// PNG metadata that costs more than it is worth to a conversion.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace orvane {

// Takes out of a PNG held in `packet` the chunks whose only use is metadata
// nothing here shows: text (tEXt, zTXt, iTXt) and the colour profile (iCCP).
// FFmpeg's decoder inflates the compressed ones whole into memory, so a
// small file could ask for gigabytes. Anything that is not a PNG, or whose
// chunks do not add up, is left as it is for the decoder to judge. 0 or an
// AVERROR (the packet could not be made writable).
int DropPngMetadata(AVPacket* packet);

}  // namespace orvane
