#include "media_tools.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace orvane::test {

bool RunQuiet(const std::string& command) {
    return std::system(("(" + command + ") > /dev/null 2>&1").c_str()) == 0;
}

Pixels Capture(const std::string& command) {
    Pixels out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    std::uint8_t buf[65536];
    std::size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.insert(out.end(), buf, buf + got);
    if (pclose(pipe) != 0) out.clear();
    return out;
}

bool HaveTools(const std::string& names) {
    std::istringstream in(names);
    std::string name;
    while (in >> name)
        if (!RunQuiet("command -v " + name)) return false;
    return true;
}

std::string Ffmpeg(const std::string& args) {
    return "ffmpeg -nostdin -v error -y " + args;
}

Pixels ScreenRgb(const Picture& picture) {
    Pixels rgb;
    rgb.reserve(kPictureWidth * kPictureHeight * 3);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const PaletteEntry& e = picture.palette[PixelAt(picture, x, y)];
            for (std::uint8_t c : {e.red, e.green, e.blue})
                rgb.push_back(static_cast<std::uint8_t>((c >> 4) * 17));
        }
    }
    return rgb;
}

Pixels ResizedReference(const std::string& file, const std::string& geometry,
                        const std::string& background) {
    return Capture("convert '" + file + "[0]' -auto-orient -background '" + background +
                   "' -alpha remove -resize '" + geometry +
                   "' -gravity center -extent 288x192 -depth 8 RGB:- 2>/dev/null");
}

double Psnr(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += std::pow(double(a[i]) - double(b[i]), 2.0);
    if (sum == 0) return 99;
    return 10 * std::log10(255.0 * 255.0 * static_cast<double>(a.size()) / sum);
}

}  // namespace orvane::test
