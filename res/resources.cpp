// Builds the toolkit images from the character maps each time they are asked
// for. Nothing is cached in static storage: toolkit objects must not outlive
// the toolkit, and building a 32 x 32 image costs next to nothing.
#include "res/resources.h"

#include <wx/image.h>

#include "res/pixel_maps.h"

namespace orvane {
namespace {

// Transparent pixels get this colour and the mask; no map uses it.
constexpr unsigned char kMaskR = 255, kMaskG = 0, kMaskB = 255;

// Draws `map` into the top-left corner of a width x height image; pixels the
// map does not cover, and '.' pixels, are transparent.
wxImage ImageFromMap(std::span<const std::string_view> map, int width, int height) {
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), kMaskR, kMaskG, kMaskB);
    image.SetMaskColour(kMaskR, kMaskG, kMaskB);
    for (int y = 0; y < height && y < static_cast<int>(map.size()); ++y) {
        const std::string_view row = map[y];
        for (int x = 0; x < width && x < static_cast<int>(row.size()); ++x) {
            Rgb rgb{};
            if (MapColor(row[x], rgb)) image.SetRGB(x, y, rgb.r, rgb.g, rgb.b);
        }
    }
    return image;
}

}  // namespace

wxIcon ProgramIcon(int size) {
    const bool large = size >= 32;
    const int side = large ? 32 : 16;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(ImageFromMap(large ? Icon32Map() : Icon16Map(), side, side)));
    return icon;
}

wxIconBundle ProgramIcons() {
    wxIconBundle bundle;
    bundle.AddIcon(ProgramIcon(16));
    bundle.AddIcon(ProgramIcon(32));
    return bundle;
}

wxBitmap BrowseBitmap() {
    wxImage image = ImageFromMap(BrowseMap(), 18, 15);
    image.SetMask(false);  // the folder has no transparent pixel
    return wxBitmap(image);
}

wxCursor LinkCursor() {
    wxImage image = ImageFromMap(CursorMap(), 32, 32);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 0);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 0);
    return wxCursor(image);
}

}  // namespace orvane
