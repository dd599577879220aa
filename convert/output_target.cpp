#include "convert/output_target.h"

#include "input/output_rule.h"

namespace orvane {

ConvertOutcome CheckOutputTarget(const std::string& input, const std::string& output,
                                 bool replace) {
    if (output.empty()) return {ConvertStatus::WriteFailed, "No output file was named"};
    const OutputVerdict verdict = CheckOutputs({output}, {input}, replace);
    switch (verdict.refusal) {
        case OutputRefusal::None:
            return {};
        case OutputRefusal::IsAnInput:
            return {ConvertStatus::OutputIsInput,
                    "The output may not be the input file: " + output};
        case OutputRefusal::Exists:
            return {ConvertStatus::OutputExists, "The output file already exists: " + output};
        default:
            return {ConvertStatus::OutputNotAFile, verdict.message};
    }
}

ConvertOutcome WriteFailure(const std::string& output, const OutputError& error) {
    return {ConvertStatus::WriteFailed, "Cannot write " + output + ": " + error.message};
}

}  // namespace orvane
