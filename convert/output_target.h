// The checks every conversion makes on its output before any work is done.
#pragma once

#include <string>

#include "convert/convert_outcome.h"
#include "encoder/output_file.h"

namespace orvane {

// The output rule (CheckOutputs) for one conversion: OutputIsInput when
// `output` is `input` (device and inode, links resolved), OutputNotAFile for a
// folder, device or pipe, OutputExists when it exists and !replace; else Done.
ConvertOutcome CheckOutputTarget(const std::string& input, const std::string& output, bool replace);

// A failed OutputFile call as an outcome.
ConvertOutcome WriteFailure(const std::string& output, const OutputError& error);

}  // namespace orvane
