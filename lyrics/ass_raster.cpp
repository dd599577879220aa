#include "lyrics/ass_raster.h"

#include <ass/ass.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "lyrics/ass_script.h"

namespace orvane {
namespace {

// Half covered or more, by a colour that is not mostly transparent: an
// outline or letter pixel. Softer edges are the picture's.
// A pixel is drawn when libass would make it at least half opaque: its
// coverage times its colour's opacity. This is the coverage that takes for
// an image's colour (over 255: the colour is too transparent to show).
constexpr int kHalfCovered = 128;
int CoverageNeeded(std::uint32_t rgba) {
    const int opacity = 255 - static_cast<int>(rgba & 0xFF);
    return opacity == 0 ? 256 : (kHalfCovered * 255 + opacity - 1) / opacity;
}

// One row of an image onto the layer: every pixel covered enough takes the
// ink. This loop sees every pixel of every frame, so for opaque colours
// (nearly all) it works on eight at a time: the coverage's top bit (>= 128)
// becomes a byte mask.
void Blend(const unsigned char* from, std::uint8_t* to, int count, std::uint8_t ink, int needed) {
    if (needed != kHalfCovered) {
        for (int x = 0; x < count; ++x)
            if (from[x] >= needed) to[x] = ink;
        return;
    }
    static_assert(kHalfCovered == 0x80);
    constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
    const std::uint64_t inks = 0x0101010101010101ull * ink;
    int x = 0;
    for (; x + 8 <= count; x += 8) {
        std::uint64_t coverage, layer;
        std::memcpy(&coverage, from + x, 8);
        std::memcpy(&layer, to + x, 8);
        const std::uint64_t mask = ((coverage & kTopBits) >> 7) * 0xFF;
        layer = (layer & ~mask) | (inks & mask);
        std::memcpy(to + x, &layer, 8);
    }
    for (; x < count; ++x)
        if (from[x] >= kHalfCovered) to[x] = ink;
}

void Quiet(int, const char*, va_list, void*) {}

template <typename Visit>
void ForEachInk(const ASS_Image* image, Visit visit) {
    for (; image; image = image->next) {
        const auto index = IndexOfAssColour(image->color);
        const int needed = CoverageNeeded(image->color);
        if (!index || needed > 255) continue;
        for (int y = 0; y < image->h; ++y) {
            const unsigned char* row =
                image->bitmap + static_cast<std::ptrdiff_t>(y) * image->stride;
            for (int x = 0; x < image->w; ++x)
                if (row[x] >= needed) visit(image->dst_x + x, image->dst_y + y, *index);
        }
    }
}

}  // namespace

void InkBox::Add(const InkBox& other) {
    if (other.empty()) return;
    if (empty()) {
        *this = other;
        return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

void InkLayer::Reset(const InkBox& area) {
    box = area;
    pixels.assign(static_cast<std::size_t>(std::max(0, area.width())) * std::max(0, area.height()),
                  kNoInk);
}

void AssTrackFree::operator()(ass_track* track) const {
    ass_free_track(track);
}

std::unique_ptr<AssRaster> AssRaster::Open(int width, int height, const std::string& fontFile,
                                           std::string& error) {
    if (!fontFile.empty() && !std::ifstream(fontFile, std::ios::binary)) {
        error = "The font " + fontFile + " cannot be read.";
        return nullptr;
    }
    std::unique_ptr<AssRaster> raster(new AssRaster);
    raster->library_ = ass_library_init();
    if (raster->library_) {
        ass_set_message_cb(raster->library_, Quiet, nullptr);
        raster->renderer_ = ass_renderer_init(raster->library_);
    }
    if (!raster->renderer_) {
        error = "libass could not start.";
        return nullptr;
    }
    ass_set_frame_size(raster->renderer_, width, height);
    // Hinting lines stems up with whole pixels, which keeps thresholded
    // letters even at these sizes.
    ass_set_hinting(raster->renderer_, ASS_HINTING_LIGHT);
    if (fontFile.empty())
        ass_set_fonts(raster->renderer_, nullptr, "sans-serif", ASS_FONTPROVIDER_AUTODETECT,
                      nullptr, 1);
    else
        ass_set_fonts(raster->renderer_, fontFile.c_str(), nullptr, ASS_FONTPROVIDER_NONE, nullptr,
                      0);
    return raster;
}

AssRaster::~AssRaster() {
    if (renderer_) ass_renderer_done(renderer_);
    if (library_) ass_library_done(library_);
}

AssTrack AssRaster::Load(const std::string& script) {
    // libass parses its buffer in place.
    std::string copy = script;
    return AssTrack(ass_read_memory(library_, copy.data(), copy.size(), nullptr));
}

bool AssRaster::Render(ass_track* track, std::int64_t ms, InkLayer& layer) {
    int changed = 1;
    const ASS_Image* image = ass_render_frame(renderer_, track, ms, &changed);
    const bool same = last_ == track && changed == 0;
    last_ = track;
    if (same) return false;
    std::fill(layer.pixels.begin(), layer.pixels.end(), InkLayer::kNoInk);
    const InkBox& box = layer.box;
    for (; image; image = image->next) {
        const auto index = IndexOfAssColour(image->color);
        const int needed = CoverageNeeded(image->color);
        if (!index || needed > 255) continue;
        const int x0 = std::max(box.left, image->dst_x);
        const int x1 = std::min(box.right, image->dst_x + image->w);
        const int y0 = std::max(box.top, image->dst_y);
        const int y1 = std::min(box.bottom, image->dst_y + image->h);
        for (int y = y0; y < y1; ++y) {
            const unsigned char* from =
                image->bitmap + static_cast<std::ptrdiff_t>(y - image->dst_y) * image->stride +
                (x0 - image->dst_x);
            std::uint8_t* to =
                &layer
                     .pixels[static_cast<std::size_t>(y - box.top) * box.width() + (x0 - box.left)];
            Blend(from, to, x1 - x0, *index, needed);
        }
    }
    return true;
}

InkBox AssRaster::Ink(ass_track* track, std::int64_t ms) {
    InkBox box;
    last_ = track;
    ForEachInk(ass_render_frame(renderer_, track, ms, nullptr), [&](int x, int y, std::uint8_t) {
        box.Add({x, y, x + 1, y + 1});
    });
    return box;
}

}  // namespace orvane
