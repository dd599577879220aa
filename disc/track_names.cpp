#include "disc/track_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orvane {
namespace {

// A names list is a few KB; anything far larger was named by mistake.
constexpr std::size_t kMaxTitlesBytes = 1 << 20;

std::string Trimmed(const std::string& text) {
    const char* space = " \t\r\n";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

TitlesList Failed(std::string message) {
    TitlesList list;
    list.error = std::move(message);
    return list;
}

}  // namespace

TrackNames SplitPerformerTitle(const std::string& text) {
    const std::size_t at = text.find(" - ");
    if (at == std::string::npos) return {{}, Trimmed(text)};
    return {Trimmed(text.substr(0, at)), Trimmed(text.substr(at + 3))};
}

TrackNames NamesFromFileName(const std::string& path) {
    return SplitPerformerTitle(std::filesystem::path(path).stem().string());
}

TrackNames ChooseTrackNames(const TrackNames* listed, const std::optional<TrackTags>& tags,
                            const std::string& path) {
    if (listed != nullptr) return *listed;
    if (tags && !tags->title.empty()) return {tags->performer, tags->title};
    return NamesFromFileName(path);
}

TitlesList ParseTitlesList(const std::string& text, std::size_t tracks) {
    std::string body = text;
    if (body.rfind("\xEF\xBB\xBF", 0) == 0) body.erase(0, 3);
    TitlesList list;
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string::npos) end = body.size();
        const std::string line = Trimmed(body.substr(start, end - start));
        if (line.empty()) {
            list.names.emplace_back();
        } else {
            list.names.push_back(SplitPerformerTitle(line));
        }
        start = end + 1;
    }
    while (!list.names.empty() && !list.names.back()) list.names.pop_back();
    if (list.names.size() != tracks) {
        return Failed("The titles list has " + std::to_string(list.names.size()) +
                      (list.names.size() == 1 ? " line" : " lines") + " for " +
                      std::to_string(tracks) + (tracks == 1 ? " track" : " tracks") +
                      "; write one \"Performer - Title\" line per track, in their order");
    }
    return list;
}

TitlesList ReadTitlesList(const std::string& path, std::size_t tracks) {
    // Non-blocking, and only a regular file: a FIFO named by mistake must not
    // hang the command.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Failed("Cannot read " + path + ": " + std::strerror(errno));
    struct stat st {};
    std::string text;
    std::string error;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "it is not a regular file";
    } else if (static_cast<std::uint64_t>(st.st_size) > kMaxTitlesBytes) {
        error = "it is larger than a titles list can be (1 MiB)";
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) error = std::strerror(errno);
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
            if (text.size() > kMaxTitlesBytes) {
                error = "it is larger than a titles list can be (1 MiB)";
                break;
            }
        }
    }
    close(fd);
    if (!error.empty()) return Failed("Cannot read " + path + ": " + error);
    return ParseTitlesList(text, tracks);
}

std::string CommonPerformer(const std::vector<TrackNames>& tracks) {
    if (tracks.empty()) return {};
    for (const TrackNames& t : tracks) {
        if (t.performer != tracks.front().performer) return {};
    }
    return tracks.front().performer;
}

}  // namespace orvane
