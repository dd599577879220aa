// The icon theme's files as the desktop reads them, decoded by ImageMagick:
// the small sizes are the window's pixel maps exactly; the larger ones are
// the scalable drawing as another renderer draws it, and still the disc of
// the window's own icon.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "convert/media_tools.h"
#include "res/pixel_maps.h"

namespace orvane {
namespace {

const std::string kDir = ORVANE_ICON_DIR;

std::string Png(int size) {
    const std::string dims = std::to_string(size) + "x" + std::to_string(size);
    return kDir + "/" + dims + "/apps/org.example.Orvane.png";
}

// RGBA bytes of `input` as ImageMagick decodes it with `options`, and size.
std::vector<unsigned char> Decode(const std::string& options, const std::string& input, int size) {
    const std::string command = "convert -background none " + options + " '" + input +
                                "' -resize " + std::to_string(size) + "x" + std::to_string(size) +
                                "! -depth 8 rgba:-";
    const test::Pixels bytes = test::Capture(command);
    EXPECT_EQ(bytes.size(), static_cast<std::size_t>(size) * size * 4) << command;
    return bytes;
}

// Mean difference of premultiplied colour and alpha, 0 (same) to 1.
double MeanError(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.size() != b.size() || a.empty()) return 1;
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); i += 4) {
        for (int c = 0; c < 4; ++c) {
            const double pa = c == 3 ? a[i + 3] : a[i + c] * a[i + 3] / 255.0;
            const double pb = c == 3 ? b[i + 3] : b[i + c] * b[i + 3] / 255.0;
            sum += std::abs(pa - pb);
        }
    }
    return sum / (a.size() * 255.0);
}

TEST(Icons, SmallSizesAreThePixelMaps) {
    for (const auto& [size, map] : {std::pair{16, Icon16Map()}, std::pair{32, Icon32Map()}}) {
        const auto rgba = Decode("", Png(size), size);
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(size) * size * 4);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const unsigned char* p = &rgba[(y * size + x) * 4];
                Rgb want{};
                const bool opaque = MapColor(map[y][x], want);
                ASSERT_EQ(p[3], opaque ? 255 : 0) << size << ": " << x << "," << y;
                if (!opaque) continue;
                ASSERT_EQ(p[0], want.r) << size << ": " << x << "," << y;
                ASSERT_EQ(p[1], want.g) << size << ": " << x << "," << y;
                ASSERT_EQ(p[2], want.b) << size << ": " << x << "," << y;
            }
        }
    }
}

TEST(Icons, LargerSizesAreTheScalableDrawing) {
    const std::string svg = kDir + "/scalable/apps/org.example.Orvane.svg";
    // ImageMagick's edges differ most at the smallest sizes.
    for (const auto& [size, tolerance] :
         {std::pair{48, 0.06}, {64, 0.05}, {128, 0.03}, {256, 0.015}}) {
        const std::string density = "-density " + std::to_string(96.0 * size / 256);
        const double error = MeanError(Decode("", Png(size), size), Decode(density, svg, size));
        EXPECT_LT(error, tolerance) << size;
    }
    // Brought down to 32 pixels, the drawing is the window's icon give or take
    // its edges (a blank, shifted or mirrored drawing is far off).
    const double error = MeanError(Decode("", Png(256), 32), Decode("", Png(32), 32));
    EXPECT_LT(error, 0.12);
}

}  // namespace
}  // namespace orvane
