#include "convert/palette_reduce.h"

#include <libimagequant.h>

#include <algorithm>
#include <memory>

#include "convert/screen_fit.h"

namespace orvane {
namespace {

struct AttrFree {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct ImageFree {
    void operator()(liq_image* i) const { liq_image_destroy(i); }
};
struct ResultFree {
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};

// libimagequant's progress: percent done; returning 0 stops it. Its work is
// the last 60 % of a picture's conversion (decoding is the first 40 %).
int OnProgress(float percent, void* user) {
    auto* sink = static_cast<ProgressSink*>(user);
    sink->SetProgress(40 + static_cast<std::uint64_t>(std::clamp(percent, 0.0f, 100.0f) * 0.6f),
                      100);
    return sink->IsCancelled() ? 0 : 1;
}

ConvertOutcome Failure(liq_error error) {
    if (error == LIQ_ABORTED) return {ConvertStatus::Stopped, "Stopped"};
    return {ConvertStatus::Damaged,
            "The colours could not be reduced (libimagequant error " + std::to_string(error) + ")"};
}

void StorePixels(const std::vector<std::uint8_t>& indices, Picture& out) {
    for (int y = 0; y < kScreenHeight; ++y) {
        const std::uint8_t* in = indices.data() + static_cast<std::size_t>(y) * kScreenWidth;
        std::uint8_t* row =
            out.pixels.data() + static_cast<std::size_t>(kScreenHeight - 1 - y) * kPictureRowBytes;
        for (int x = 0; x < kScreenWidth; x += 2)
            row[x / 2] = static_cast<std::uint8_t>((in[x] & 0x0F) << 4 | (in[x + 1] & 0x0F));
    }
}

}  // namespace

ConvertOutcome ReducePalette(const std::vector<std::uint8_t>& rgba, bool dither,
                             std::optional<Rgb> reserved, ProgressSink& progress, Picture& out,
                             int colours) {
    progress.SetMessage("Choosing " + std::to_string(colours) + " colours");
    std::unique_ptr<liq_attr, AttrFree> attr(liq_attr_create());
    if (!attr) return Failure(LIQ_OUT_OF_MEMORY);
    liq_error rc = liq_set_max_colors(attr.get(), colours);
    // Four bits per component: every palette value comes out as c x 17.
    if (rc == LIQ_OK) rc = liq_set_min_posterization(attr.get(), 4);
    // The screen is small: the slowest, most thorough search costs little.
    if (rc == LIQ_OK) rc = liq_set_speed(attr.get(), 1);
    if (rc != LIQ_OK) return Failure(rc);
    liq_attr_set_progress_callback(attr.get(), OnProgress, &progress);

    std::unique_ptr<liq_image, ImageFree> image(
        liq_image_create_rgba(attr.get(), rgba.data(), kScreenWidth, kScreenHeight, 0));
    if (!image) return Failure(LIQ_OUT_OF_MEMORY);
    if (reserved) {
        rc = liq_image_add_fixed_color(image.get(),
                                       {reserved->red, reserved->green, reserved->blue, 255});
        if (rc != LIQ_OK) return Failure(rc);
    }
    liq_result* raw = nullptr;
    rc = liq_image_quantize(image.get(), attr.get(), &raw);
    std::unique_ptr<liq_result, ResultFree> result(raw);
    if (rc != LIQ_OK) return Failure(rc);
    rc = liq_set_dithering_level(result.get(), dither ? 1.0f : 0.0f);
    if (rc != LIQ_OK) return Failure(rc);
    liq_result_set_progress_callback(result.get(), OnProgress, &progress);

    std::vector<std::uint8_t> indices(static_cast<std::size_t>(kScreenWidth) * kScreenHeight);
    rc = liq_write_remapped_image(result.get(), image.get(), indices.data(), indices.size());
    if (rc != LIQ_OK) return Failure(rc);
    // Read after remapping, which refines the palette.
    const liq_palette* palette = liq_get_palette(result.get());

    InitPicture(out);
    out.palette = {};
    for (unsigned i = 0; i < palette->count && i < kPaletteEntries; ++i) {
        const liq_color& c = palette->entries[i];
        out.palette[i] = {ToPlayerLevel(c.b), ToPlayerLevel(c.g), ToPlayerLevel(c.r), 0};
    }
    StorePixels(indices, out);
    UpdatePreviewInfo(out);
    progress.SetProgress(100, 100);
    return {};
}

}  // namespace orvane
