#include "lyrics/palette_reserve.h"

#include <algorithm>
#include <array>
#include <vector>

#include "convert/palette_reduce.h"
#include "convert/screen_fit.h"
#include "lyrics/screen_timeline.h"

namespace orvane {
namespace {

bool SameColour(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// New index of every old one, when the colours in use fit in 12 entries;
// empty when they do not. Entries with the same colour share an index.
std::vector<std::uint8_t> Renumbering(const Picture& picture, Palette& kept) {
    std::array<bool, kPaletteEntries> used{};
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x) used[PixelAt(picture, x, y)] = true;
    std::vector<std::uint8_t> index(kPaletteEntries, 0);
    int count = 0;
    for (std::size_t i = 0; i < kPaletteEntries; ++i) {
        if (!used[i]) continue;
        const PaletteEntry& c = picture.palette[i];
        const auto same = std::find_if(kept.begin(), kept.begin() + count,
                                       [&](const PaletteEntry& k) { return SameColour(k, c); });
        if (same != kept.begin() + count) {
            index[i] = static_cast<std::uint8_t>(same - kept.begin());
            continue;
        }
        if (count == kPictureColours) return {};
        kept[count] = {c.blue, c.green, c.red, 0};
        index[i] = static_cast<std::uint8_t>(count++);
    }
    return index;
}

std::vector<std::uint8_t> ToRgba(const Picture& picture) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kPictureWidth) * kPictureHeight * 4);
    std::uint8_t* p = rgba.data();
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x, p += 4) {
            const PaletteEntry& c = picture.palette[PixelAt(picture, x, y)];
            p[0] = c.red;
            p[1] = c.green;
            p[2] = c.blue;
            p[3] = 255;
        }
    return rgba;
}

}  // namespace

PaletteEntry PlayerEntry(const LyricsColour& colour) {
    return {ToPlayerLevel(colour.b), ToPlayerLevel(colour.g), ToPlayerLevel(colour.r), 0};
}

ConvertOutcome ReservePalette(const Picture& picture, const LyricsStyle& style, Picture& out,
                              bool& reduced) {
    Palette kept{};
    const std::vector<std::uint8_t> index = Renumbering(picture, kept);
    reduced = index.empty();
    if (reduced) {
        NullProgress quiet;
        const ConvertOutcome outcome =
            ReducePalette(ToRgba(picture), true, std::nullopt, quiet, out, kPictureColours);
        if (!outcome.ok()) return outcome;
    } else {
        InitPicture(out);
        out.palette = kept;
        for (std::size_t n = 0; n < kPixelBytes; ++n) {
            const std::uint8_t b = picture.pixels[n];
            out.pixels[n] = static_cast<std::uint8_t>(index[b >> 4] << 4 | index[b & 0x0F]);
        }
    }
    out.palette[kUnsungIndex] = PlayerEntry(style.unsung);
    out.palette[kSungIndex] = PlayerEntry(style.sung);
    out.palette[kOutlineIndex] = PlayerEntry(style.outline);
    out.palette[kBackIndex] = PlayerEntry(style.back);
    UpdatePreviewInfo(out);
    return {};
}

}  // namespace orvane
