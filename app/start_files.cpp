#include "app/start_files.h"

#include <string>
#include <vector>

#include "input/file_chooser.h"

namespace orvane {

void TakeStartFiles(ImportFlow& flow, FileSelection& selection, const StartFiles& files) {
    std::vector<std::string> inputs;
    for (const std::string* path : {&files.picture, &files.recording}) {
        if (!path->empty()) inputs.push_back(*path);
    }
    flow.TakeDropped(inputs);
    if (!files.output.empty()) selection.TakeNamedOutput(WithDefaultExtension(files.output, "CDG"));
}

}  // namespace orvane
