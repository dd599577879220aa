#include "app/help_page.h"

#include <system_error>

namespace orvane {

namespace {

bool IsPage(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string FindHelpPage(const std::filesystem::path& currentDir,
                         const std::filesystem::path& programDir) {
    for (const auto& dir : {currentDir, programDir}) {
        if (dir.empty()) continue;
        std::error_code error;
        const auto page = std::filesystem::absolute(dir / kHelpPageName, error);
        if (!error && IsPage(page)) return page.string();
    }
    return {};
}

std::filesystem::path ProgramDir() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace orvane
