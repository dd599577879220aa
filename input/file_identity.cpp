#include "input/file_identity.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Absolute, with "." and ".." and links of the existing part resolved. Falls
// back to a purely lexical form when the file system cannot be asked.
fs::path Normalised(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::path(path), ec);
    if (!ec) return p;
    p = fs::absolute(fs::path(path), ec);
    if (ec) p = fs::path(path);
    return p.lexically_normal();
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    struct stat sa {};
    struct stat sb {};
    if (stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return Normalised(a) == Normalised(b);
}

}  // namespace orvane
