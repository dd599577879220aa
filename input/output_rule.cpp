#include "input/output_rule.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "input/file_identity.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Linux gives up on a path after 40 links; so does this.
constexpr int kMaxLinks = 40;

OutputVerdict Refused(OutputRefusal refusal, const std::string& path, std::string message) {
    return {refusal, path, std::move(message)};
}

}  // namespace

std::string NotAFileKind(const std::string& path) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0) return {};
    if (S_ISREG(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return "a folder";
    if (S_ISCHR(st.st_mode)) return "a character device";
    if (S_ISBLK(st.st_mode)) return "a block device";
    if (S_ISFIFO(st.st_mode)) return "a named pipe (FIFO)";
    if (S_ISSOCK(st.st_mode)) return "a socket";
    return "not a regular file";
}

std::string NotAFileMessage(const std::string& path, const std::string& kind) {
    return path + " is " + kind + "; name a file to write";
}

OutputVerdict CheckOutputs(const std::vector<std::string>& outputs,
                           const std::vector<std::string>& inputs, bool replace) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::string& out = outputs[i];
        for (const std::string& in : inputs) {
            if (SameFile(out, in))
                return Refused(OutputRefusal::IsAnInput, out,
                               out + " is one of the input files; name another file to write");
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(out, outputs[j]))
                return Refused(OutputRefusal::NamedTwice, out,
                               out + " is named for two files of this command");
        }
    }
    for (const std::string& out : outputs) {
        if (const std::string kind = NotAFileKind(out); !kind.empty())
            return Refused(OutputRefusal::NotAFile, out, NotAFileMessage(out, kind));
    }
    if (replace) return {};
    for (const std::string& out : outputs) {
        struct stat st {};
        // lstat: a dangling link is still something a write would go through.
        if (!out.empty() && lstat(out.c_str(), &st) == 0)
            return Refused(OutputRefusal::Exists, out, out + " exists already");
    }
    return {};
}

std::string FileToReplace(const std::string& path, int& error) {
    fs::path at(path);
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st {};
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at.string();
        std::error_code ec;
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) {
            error = ec.value();
            return {};
        }
        // A relative link is read from the link's own folder.
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    error = ELOOP;
    return {};
}

}  // namespace orvane
