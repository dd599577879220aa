// The program's icon as a drawing: a compact disc made of a few filled
// shapes, written out as SVG and painted at any size from the same list,
// so the scalable icon and the larger PNGs cannot drift apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::icons {

// The drawing's own units: a square canvas this wide.
inline constexpr double kCanvas = 256.0;

struct Colour {
    std::uint8_t r, g, b;
};

// A filled ring (inner 0: a disc), or the part of one between two angles
// (degrees, counter-clockwise from three o'clock as seen), or a straight
// stroke with round ends.
struct Shape {
    enum class Kind { Ring, Sector, Stroke } kind;
    Colour colour;
    double cx, cy;        // Ring, Sector: centre. Stroke: start
    double outer, inner;  // Ring, Sector: radii. Stroke: outer is the width
    double from, to;      // Sector: angles. Stroke: end point (x = from, y = to)
};

// Back to front.
std::vector<Shape> DiscDrawing();

std::string ToSvg(const std::vector<Shape>& shapes);

// RGBA rows of `size` x `size` pixels, each pixel the mean of `samples` x
// `samples` points so edges are smooth; nothing drawn stays transparent.
std::vector<std::uint8_t> Paint(const std::vector<Shape>& shapes, int size, int samples);

}  // namespace orvane::icons
