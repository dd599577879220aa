// Any picture (PNG, JPEG, WebP, GIF, TIFF, BMP of any size and depth) turned
// into the 288 x 192, 16-colour picture Orvane takes: upright by its
// orientation tag, laid over a background where it is transparent, fitted,
// filled or stretched with a Lanczos filter, and reduced to 16 colours of
// 4 bits per component (what a CD+G player can show) with libimagequant.
//
// The window decodes once (LoadPicture), converts again for every change of
// options to preview the result (ConvertPicture), then saves (WritePicture).
// orvane-cli does all three in one call (PreparePicture).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "convert/convert_outcome.h"
#include "encoder/picture.h"
#include "encoder/progress_sink.h"

namespace orvane {

// Larger pictures are refused from their header, before any decoding.
inline constexpr std::int64_t kMaxSourcePixels = 100'000'000;

enum class FitMode {
    Fit,      // the whole picture, bars of the background colour beside it
    Fill,     // covers the whole screen, centred, the overhang cut off
    Stretch,  // the whole picture, its proportions changed to 3:2
};

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

struct PictureOptions {
    FitMode fit = FitMode::Fit;
    Rgb background;      // behind transparent parts and in the bars
    bool dither = true;  // Floyd-Steinberg error diffusion
};

// "RRGGBB" or "#RRGGBB", hexadecimal, any case. False leaves `out` alone.
bool ParseColour(const std::string& text, Rgb& out);

// A decoded picture, upright, its transparency kept, at (about) its own size.
// Large JPEGs are decoded at a half, a quarter or an eighth of their size
// where that still leaves more than twice the pixels the screen needs.
class SourcePicture {
  public:
    SourcePicture();
    ~SourcePicture();
    SourcePicture(SourcePicture&&) noexcept;
    SourcePicture& operator=(SourcePicture&&) noexcept;

    bool empty() const;
    // The picture's size as the file states it, upright (before any reduced
    // decoding), and FFmpeg's name of its format ("png", "mjpeg").
    int width() const;
    int height() const;
    std::string format() const;

    struct Pixels;  // premultiplied RGBA rows; see picture_source.h
    const Pixels* pixels() const { return pixels_.get(); }

  private:
    friend ConvertOutcome LoadPicture(const std::string&, SourcePicture&, ProgressSink&);
    std::unique_ptr<Pixels> pixels_;
};

// Progress is reported out of 100: decoding up to 40, choosing colours the
// rest. A stop request ends any of the calls below with Stopped.

// Decodes `path` by its contents. On failure `out` is left empty.
ConvertOutcome LoadPicture(const std::string& path, SourcePicture& out, ProgressSink& progress);

// Makes the 288 x 192 picture: header, palette (each component c x 17),
// pixels and previewInfo filled as ReadBitmapFile would fill them. Only a
// stop request (Stopped) or an empty source (NotSupported) fails.
ConvertOutcome ConvertPicture(const SourcePicture& source, const PictureOptions& options,
                              Picture& out, ProgressSink& progress);

// Writes `picture` as the 27,766-byte BMP through a temporary file. Refused
// when `output` is `input` (by device and inode) or exists and !replace.
ConvertOutcome WritePicture(const Picture& picture, const std::string& output,
                            const std::string& input, bool replace);

// The three above in one call.
ConvertOutcome PreparePicture(const std::string& input, const std::string& output,
                              const PictureOptions& options, bool replace, ProgressSink& progress);

}  // namespace orvane
