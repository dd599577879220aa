#include "app/help_page.h"

#include <system_error>

// Set by the build from the install folders; this is GNU's layout.
#ifndef ORVANE_DOC_FROM_BIN
#define ORVANE_DOC_FROM_BIN "../share/doc/orvane"
#endif

namespace orvane {

namespace {

bool IsPage(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::filesystem::path DocFolderFromProgram() {
    return ORVANE_DOC_FROM_BIN;
}

std::string FindHelpPage(const std::filesystem::path& currentDir,
                         const std::filesystem::path& programDir) {
    const std::filesystem::path installed =
        programDir.empty() ? programDir : programDir / DocFolderFromProgram();
    for (const auto& dir : {currentDir, programDir, installed}) {
        if (dir.empty()) continue;
        std::error_code error;
        const auto page = std::filesystem::absolute(dir / kHelpPageName, error);
        if (!error && IsPage(page)) return page.lexically_normal().string();
    }
    return {};
}

std::filesystem::path ProgramDir() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace orvane
