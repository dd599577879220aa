// The images as character maps, one character a pixel, rows from the top:
// K black, G dark grey, L light grey, W white, Y yellow, N green, C cyan,
// '.' transparent.
#pragma once

#include <span>
#include <string_view>

namespace orvane {

std::span<const std::string_view> Icon16Map();  // 16 rows of 16
std::span<const std::string_view> Icon32Map();  // 32 rows of 32
std::span<const std::string_view> BrowseMap();  // 15 rows of 18
std::span<const std::string_view> CursorMap();  // 22 rows of 17 (rest transparent)

struct Rgb {
    unsigned char r, g, b;
};
// Colour of a map character in the standard 16-colour palette; false for '.'.
bool MapColor(char c, Rgb& out);

}  // namespace orvane
