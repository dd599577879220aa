#include "disc_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace orvane::icons {
namespace {

// The pixel maps' colours (res/pixel_maps.cpp).
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kDarkGrey{128, 128, 128};
constexpr Colour kLightGrey{192, 192, 192};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kYellow{255, 255, 0};
constexpr Colour kGreen{0, 255, 0};
constexpr Colour kCyan{0, 255, 255};

constexpr double kMid = kCanvas / 2;

Shape Ring(Colour colour, double outer, double inner) {
    return {Shape::Kind::Ring, colour, kMid, kMid, outer, inner, 0, 0};
}

Shape Sector(Colour colour, double outer, double inner, double from, double to) {
    return {Shape::Kind::Sector, colour, kMid, kMid, outer, inner, from, to};
}

Shape Stroke(Colour colour, double width, double x0, double y0, double x1, double y1) {
    return {Shape::Kind::Stroke, colour, x0, y0, width, 0, x1, y1};
}

// A point at `radius` and `degrees` around the centre, y growing downwards.
void Polar(const Shape& s, double radius, double degrees, double& x, double& y) {
    const double a = degrees * std::numbers::pi / 180;
    x = s.cx + radius * std::cos(a);
    y = s.cy - radius * std::sin(a);
}

std::string Hex(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

// A whole circle as two half arcs, which SVG needs (one arc cannot close).
std::string CirclePath(double cx, double cy, double r) {
    const std::string arc = "A" + Num(r) + " " + Num(r) + " 0 1 0 ";
    return "M" + Num(cx + r) + " " + Num(cy) + arc + Num(cx - r) + " " + Num(cy) + arc +
           Num(cx + r) + " " + Num(cy) + "Z";
}

std::string RingSvg(const Shape& s) {
    const std::string fill = "fill=\"" + Hex(s.colour) + "\" stroke=\"none\"";
    if (s.inner <= 0) {
        return "<circle cx=\"" + Num(s.cx) + "\" cy=\"" + Num(s.cy) + "\" r=\"" + Num(s.outer) +
               "\" " + fill + "/>";
    }
    return "<path " + fill + " fill-rule=\"evenodd\" d=\"" + CirclePath(s.cx, s.cy, s.outer) +
           CirclePath(s.cx, s.cy, s.inner) + "\"/>";
}

// Out along the outer arc against the clock (as seen), back along the inner one.
std::string SectorSvg(const Shape& s) {
    double x[4], y[4];
    Polar(s, s.outer, s.from, x[0], y[0]);
    Polar(s, s.outer, s.to, x[1], y[1]);
    Polar(s, s.inner, s.to, x[2], y[2]);
    Polar(s, s.inner, s.from, x[3], y[3]);
    const std::string large = s.to - s.from > 180 ? " 1 " : " 0 ";
    return "<path fill=\"" + Hex(s.colour) + "\" stroke=\"none\" d=\"M" + Num(x[0]) + " " +
           Num(y[0]) + "A" + Num(s.outer) + " " + Num(s.outer) + " 0" + large + "0 " + Num(x[1]) +
           " " + Num(y[1]) + "L" + Num(x[2]) + " " + Num(y[2]) + "A" + Num(s.inner) + " " +
           Num(s.inner) + " 0" + large + "1 " + Num(x[3]) + " " + Num(y[3]) + "Z\"/>";
}

std::string StrokeSvg(const Shape& s) {
    return "<line x1=\"" + Num(s.cx) + "\" y1=\"" + Num(s.cy) + "\" x2=\"" + Num(s.from) +
           "\" y2=\"" + Num(s.to) + "\" stroke=\"" + Hex(s.colour) + "\" stroke-width=\"" +
           Num(s.outer) + "\" stroke-linecap=\"round\"/>";
}

bool InRing(const Shape& s, double x, double y) {
    const double d2 = (x - s.cx) * (x - s.cx) + (y - s.cy) * (y - s.cy);
    return d2 <= s.outer * s.outer && d2 >= s.inner * s.inner;
}

bool InSector(const Shape& s, double x, double y) {
    if (!InRing(s, x, y)) return false;
    double a = std::atan2(s.cy - y, x - s.cx) * 180 / std::numbers::pi;
    if (a < 0) a += 360;
    return a >= s.from && a <= s.to;
}

bool InStroke(const Shape& s, double x, double y) {
    const double dx = s.from - s.cx, dy = s.to - s.cy;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - s.cx) * dx + (y - s.cy) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = s.cx + t * dx - x, ey = s.cy + t * dy - y;
    return ex * ex + ey * ey <= s.outer * s.outer / 4;
}

bool Covers(const Shape& s, double x, double y) {
    switch (s.kind) {
        case Shape::Kind::Ring:
            return InRing(s, x, y);
        case Shape::Kind::Sector:
            return InSector(s, x, y);
        case Shape::Kind::Stroke:
            return InStroke(s, x, y);
    }
    return false;
}

// The colour on top at a point, or null where nothing is drawn.
const Colour* TopColour(const std::vector<Shape>& shapes, double x, double y) {
    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
        if (Covers(*it, x, y)) return &it->colour;
    }
    return nullptr;
}

}  // namespace

// The 32-pixel map drawn again at eight units a pixel: black rim and hub,
// light-grey surface, the reflection band (green, yellow, cyan outwards) in
// two opposite wedges, dark-grey and white streaks across the surface, and
// a small ring inside the transparent hole.
std::vector<Shape> DiscDrawing() {
    std::vector<Shape> shapes = {
        Ring(kBlack, 124, 36),
        Ring(kLightGrey, 116, 44),
        Ring(kBlack, 20, 12),
    };
    for (const double turn : {0.0, 180.0}) {
        shapes.push_back(Sector(kGreen, 74, 54, 25 + turn, 75 + turn));
        shapes.push_back(Sector(kYellow, 94, 74, 25 + turn, 75 + turn));
        shapes.push_back(Sector(kCyan, 112, 94, 25 + turn, 75 + turn));
    }
    shapes.push_back(Stroke(kDarkGrey, 10, 52, 52, 86, 86));
    shapes.push_back(Stroke(kDarkGrey, 10, 170, 170, 204, 204));
    shapes.push_back(Stroke(kWhite, 8, 24, 96, 70, 112));
    shapes.push_back(Stroke(kWhite, 8, 232, 160, 186, 144));
    return shapes;
}

std::string ToSvg(const std::vector<Shape>& shapes) {
    const std::string size = Num(kCanvas);
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        size + "\" height=\"" + size + "\" viewBox=\"0 0 " + size + " " + size + "\">\n";
    for (const Shape& s : shapes) {
        switch (s.kind) {
            case Shape::Kind::Ring:
                svg += RingSvg(s);
                break;
            case Shape::Kind::Sector:
                svg += SectorSvg(s);
                break;
            case Shape::Kind::Stroke:
                svg += StrokeSvg(s);
                break;
        }
        svg += "\n";
    }
    return svg + "</svg>\n";
}

std::vector<std::uint8_t> Paint(const std::vector<Shape>& shapes, int size, int samples) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4, 0);
    const double unit = kCanvas / size;
    const int total = samples * samples;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            int covered = 0, r = 0, g = 0, b = 0;
            for (int i = 0; i < total; ++i) {
                const double x = (px + (i % samples + 0.5) / samples) * unit;
                const double y = (py + (i / samples + 0.5) / samples) * unit;
                if (const Colour* c = TopColour(shapes, x, y)) {
                    ++covered;
                    r += c->r, g += c->g, b += c->b;
                }
            }
            if (covered == 0) continue;
            std::uint8_t* out = &rgba[(static_cast<std::size_t>(py) * size + px) * 4];
            out[0] = static_cast<std::uint8_t>((r + covered / 2) / covered);
            out[1] = static_cast<std::uint8_t>((g + covered / 2) / covered);
            out[2] = static_cast<std::uint8_t>((b + covered / 2) / covered);
            out[3] = static_cast<std::uint8_t>((covered * 255 + total / 2) / total);
        }
    }
    return rgba;
}

}  // namespace orvane::icons
