#include "fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace orvane::fuzz {

bool WriteSeeds(const std::string& dir) {
    const std::vector<std::string> seeds = FuzzSeeds();
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/seed-%03zu", i);
        std::ofstream out(dir + name, std::ios::binary | std::ios::trunc);
        out.write(seeds[i].data(), static_cast<std::streamsize>(seeds[i].size()));
        if (!out) return false;
    }
    return true;
}

void PutLE16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutLE32(std::string& bytes, std::size_t at, unsigned value) {
    PutLE16(bytes, at, value & 0xFFFF);
    PutLE16(bytes, at + 2, value >> 16);
}

std::string MadeByFfmpeg(const std::string& source, const std::string& args,
                         const std::string& name) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/orvane-seed-" + name;
    const std::string command = "ffmpeg -nostdin -v error -y -f lavfi -i " + source + " " + args +
                                " '" + path + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::remove(path.c_str());
    return bytes.str();
}

std::string InputAsFile(const std::uint8_t* data, std::size_t size) {
    // Never destroyed, so that the exit handler can still read it.
    static const std::string* const path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return new std::string(std::string(tmp && *tmp ? tmp : "/tmp") + "/orvane-fuzz-" +
                               std::to_string(getpid()));
    }();
    // Every replay run in CTest would otherwise leave its file behind.
    static const bool removedAtExit = std::atexit([] { std::remove(path->c_str()); }) == 0;
    (void)removedAtExit;
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return *path;
}

}  // namespace orvane::fuzz

// libFuzzer calls this once before fuzzing; the replay program never does.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* dir = std::getenv("ORVANE_FUZZ_SEEDS_DIR")) {
        std::exit(orvane::fuzz::WriteSeeds(dir) ? 0 : 1);
    }
    return 0;
}
