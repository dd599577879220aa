#include "export/toc_file.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orvane {
namespace {

namespace fs = std::filesystem;

fs::path Folder(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(fs::absolute(fs::path(path), ec), ec);
    return p.parent_path();
}

// A toc string: a quote escaped; a backslash and control bytes as octal
// escapes (cdrdao 1.2.4 reads "\\" as two backslashes, but "\134" as one).
std::string Quoted(const std::string& text) {
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

// A line break in a name would end the comment and leave the rest of the
// name to be read as the toc's own words.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return text;
}

// The toc's name as a shell word in the comment.
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

}  // namespace

std::string MsfText(std::uint64_t sectors) {
    char text[32];
    std::snprintf(text, sizeof text, "%02llu:%02llu:%02llu",
                  static_cast<unsigned long long>(sectors / 75 / 60),
                  static_cast<unsigned long long>(sectors / 75 % 60),
                  static_cast<unsigned long long>(sectors % 75));
    return text;
}

std::string TocText(const std::string& imagePath, const std::string& tocPath,
                    std::uint64_t sectors) {
    const fs::path image = fs::absolute(fs::path(imagePath)).lexically_normal();
    const bool together = Folder(imagePath) == Folder(tocPath);
    const std::string name = together ? image.filename().string() : image.string();
    const std::string toc = ShellWord(OneLine(fs::path(tocPath).filename().string()));
    return "// cdrdao's table of contents for the CD+G image " +
           OneLine(image.filename().string()) +
           ", made by Orvane.\n"
           "//\n"
           "// Burn it with:\n"
           "//   cdrdao write --swap " +
           toc +
           "\n"
           "// (add --device and --speed as your drive needs).\n"
           "//\n"
           "// --swap is needed: the image keeps its audio in the byte order of a WAVE\n"
           "// file (little-endian), and cdrdao reads raw audio as big-endian unless\n"
           "// told. Without it the disc plays as loud noise. The R-W subcode that\n"
           "// carries the graphics is written as it is (TRACK AUDIO RW).\n"
           "\n"
           "CD_DA\n"
           "\n"
           "TRACK AUDIO RW\n"
           "DATAFILE " +
           Quoted(name) + " " + MsfText(sectors) + "\n";
}

}  // namespace orvane
