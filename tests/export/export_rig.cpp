#include "export_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "encoder/subcode.h"

namespace orvane::test {

ImageRig::ImageRig(std::size_t sectorCount, std::size_t tailBytes)
    : JobRig(sectorCount * 2352, 5), image(dir.File("song.img")), sectors(sectorCount) {
    Run();
    Bytes bytes = ReadFile(output);
    std::filesystem::remove(output);
    EXPECT_EQ(bytes.size(), sectors * 2448);
    bytes.resize(bytes.size() + tailBytes, 0x5A);
    WriteFile(image, bytes);
}

ExportRequest ImageRig::Request(ExportTargets targets) const {
    ExportRequest request;
    request.image = image;
    request.targets = std::move(targets);
    return request;
}

void AddPresets(Bytes& image) {
    for (std::size_t packet = 0; packet < 16; ++packet) {
        const std::size_t at = packet / 4 * kRawSectorBytes + kAudioSectorBytes + packet % 4 * 24;
        image.at(at) = 9;
        image.at(at + 1) = 1;
    }
}

std::string Quote(const std::string& path) {
    std::string out = "'";
    for (const char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

Bytes AudioOf(const Bytes& image) {
    Bytes out;
    for (std::size_t at = 0; at + kRawSectorBytes <= image.size(); at += kRawSectorBytes)
        out.insert(out.end(), image.begin() + at, image.begin() + at + kAudioSectorBytes);
    return out;
}

std::string SamplesAsCdrdaoPrintsThem(const Bytes& audio) {
    std::ostringstream text;
    char line[64];
    for (std::size_t i = 0; i + 4 <= audio.size(); i += 4) {
        const auto left = static_cast<std::int16_t>(audio[i] | audio[i + 1] << 8);
        const auto right = static_cast<std::int16_t>(audio[i + 2] | audio[i + 3] << 8);
        std::snprintf(line, sizeof line, "%7zu:%6d %6d\n", i / 4, left, right);
        text << line;
    }
    return text.str();
}

std::string Capture(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int rc = pclose(pipe);
    if (status != nullptr) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

std::vector<std::string> Listing(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace orvane::test
