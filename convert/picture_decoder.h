// Decodes any picture file FFmpeg reads into a SourcePicture's planes.
#pragma once

#include <string>

#include "convert/convert_outcome.h"
#include "convert/picture_source.h"
#include "encoder/progress_sink.h"

namespace orvane {

// Work stops where the sink asks (Stopped). A picture over kMaxSourcePixels
// is refused from its header (TooLarge) before pixel memory is taken.
ConvertOutcome DecodePicture(const std::string& path, ProgressSink& progress,
                             SourcePicture::Pixels& out);

}  // namespace orvane
