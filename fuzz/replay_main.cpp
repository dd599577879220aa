// Runs a fuzz target without libFuzzer: its seeds, then every file named on
// the command line (a folder: every file in it). A target that ran nothing
// fails, since a silent fuzz test is worse than none.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_support.h"

namespace {

std::size_t Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    return 1;
}

std::size_t RunFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Run(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t count = 0;
    for (const std::string& seed : FuzzSeeds()) count += Run(seed);
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg = argv[i];
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg)) {
                if (entry.is_regular_file()) count += RunFile(entry.path());
            }
        } else {
            count += RunFile(arg);
        }
    }
    std::printf("%zu inputs replayed\n", count);
    return count == 0 ? 1 : 0;
}
