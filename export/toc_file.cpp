#include "export/toc_file.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orvane {
namespace fs = std::filesystem;

std::string TocQuoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\\' || byte < 0x20 || byte == 0x7F) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            out += octal;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string TocOneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return text;
}

namespace {

std::string ShellWord(const std::string& text) {
    bool plain = !text.empty();
    for (const char c : text) {
        plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' ||
                          c == '-' || c == '/' || c == '+');
    }
    if (plain) return text;
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The folder a file lies in, as the system resolves it; empty when that
// cannot be told.
fs::path ResolvedFolder(const std::string& path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) return {};
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    return ec ? fs::path() : folder;
}

}  // namespace

std::string TocShellWord(const std::string& text) {
    return ShellWord(TocOneLine(text));
}

std::string TocDataFilePath(const std::string& imagePath, const std::string& tocPath) {
    const fs::path imageFolder = ResolvedFolder(imagePath);
    const fs::path tocFolder = ResolvedFolder(tocPath);
    const fs::path name = fs::path(imagePath).filename();
    if (imageFolder.empty()) return fs::absolute(fs::path(imagePath)).lexically_normal().string();
    const fs::path image = imageFolder / name;
    if (tocFolder.empty()) return image.string();
    const fs::path relative = image.lexically_relative(tocFolder);
    return relative.empty() ? image.string() : relative.string();
}

std::string TocDataFileLine(const std::string& imagePath, const std::string& tocPath,
                            std::uint64_t sectors, bool swap) {
    return "DATAFILE " + TocQuoted(TocDataFilePath(imagePath, tocPath)) + (swap ? " SWAP" : "") +
           " #0 " + MsfText(sectors);
}

std::string MsfText(std::uint64_t sectors) {
    char text[32];
    std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu",
                  static_cast<unsigned long long>(sectors / 75 / 60),
                  static_cast<unsigned long long>(sectors / 75 % 60),
                  static_cast<unsigned long long>(sectors % 75));
    return text;
}

std::string TocBurnComment(const std::string& tocPath) {
    return "// Burn it with:\n"
           "//   cdrdao write --swap " +
           TocShellWord(fs::path(tocPath).filename().string()) +
           "\n"
           "// (add --device and --speed as your drive needs).\n"
           "//\n"
           "// --swap is needed: the image keeps its audio in the byte order of a WAVE\n"
           "// file (little-endian), and cdrdao reads raw audio as big-endian unless\n"
           "// told. Without it the disc plays as loud noise. The R-W subcode that\n"
           "// carries the graphics is written as it is (TRACK AUDIO RW).\n";
}

std::string TocText(const std::string& imagePath, const std::string& tocPath,
                    std::uint64_t sectors) {
    return "// cdrdao's table of contents for the CD+G image " +
           TocOneLine(fs::path(imagePath).filename().string()) + ", made by Orvane.\n//\n" +
           TocBurnComment(tocPath) +
           "\n"
           "CD_DA\n"
           "\n"
           "TRACK AUDIO RW\n" +
           TocDataFileLine(imagePath, tocPath, sectors) + "\n";
}

}  // namespace orvane
