#include "convert/output_target.h"

#include <sys/stat.h>

#include "input/file_identity.h"

namespace orvane {

ConvertOutcome CheckOutputTarget(const std::string& input, const std::string& output,
                                 bool replace) {
    if (output.empty()) return {ConvertStatus::WriteFailed, "No output file was named"};
    if (OutputIsAnInput(output, input, ""))
        return {ConvertStatus::OutputIsInput, "The output may not be the input file: " + output};
    struct stat st {};
    if (!replace && lstat(output.c_str(), &st) == 0)
        return {ConvertStatus::OutputExists, "The output file already exists: " + output};
    return {};
}

ConvertOutcome WriteFailure(const std::string& output, const OutputError& error) {
    return {ConvertStatus::WriteFailed, "Cannot write " + output + ": " + error.message};
}

}  // namespace orvane
