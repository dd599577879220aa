// Writes the program's icon for the desktop's icon theme into a folder laid
// out as hicolor is: SIZExSIZE/apps/NAME.png and scalable/apps/NAME.svg.
// The two small sizes are the window's own pixel maps, pixel for pixel; the
// larger ones are painted from the drawing the SVG is written from.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string_view>

#include "disc_drawing.h"
#include "png_file.h"
#include "res/pixel_maps.h"

namespace {

using orvane::icons::WritePng;

constexpr const char* kName = "org.example.Orvane";

std::filesystem::path AppsFolder(const std::filesystem::path& root, const std::string& size) {
    const auto folder = root / size / "apps";
    std::filesystem::create_directories(folder);
    return folder;
}

std::vector<std::uint8_t> FromMap(std::span<const std::string_view> map) {
    std::vector<std::uint8_t> rgba;
    for (const std::string_view row : map) {
        for (const char c : row) {
            orvane::Rgb rgb{};
            const bool opaque = orvane::MapColor(c, rgb);
            rgba.insert(rgba.end(), {rgb.r, rgb.g, rgb.b, std::uint8_t(opaque ? 255 : 0)});
        }
    }
    return rgba;
}

bool Report(const std::string& error) {
    if (!error.empty()) std::fprintf(stderr, "make_icons: %s\n", error.c_str());
    return error.empty();
}

bool WriteSize(const std::filesystem::path& root, int size, const std::vector<std::uint8_t>& rgba) {
    const std::string dims = std::to_string(size) + "x" + std::to_string(size);
    return Report(WritePng((AppsFolder(root, dims) / (std::string(kName) + ".png")).string(), rgba,
                           size, size));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT-FOLDER\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const auto drawing = orvane::icons::DiscDrawing();
    bool ok = WriteSize(root, 16, FromMap(orvane::Icon16Map())) &&
              WriteSize(root, 32, FromMap(orvane::Icon32Map()));
    for (const int size : {48, 64, 128, 256}) {
        ok = ok && WriteSize(root, size, orvane::icons::Paint(drawing, size, 8));
    }
    std::ofstream svg(AppsFolder(root, "scalable") / (std::string(kName) + ".svg"));
    svg << orvane::icons::ToSvg(drawing);
    svg.close();
    ok = ok && Report(svg ? "" : "cannot write the SVG");
    return ok ? 0 : 1;
}
