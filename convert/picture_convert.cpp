#include "convert/picture_convert.h"

#include <cctype>

#include "convert/bitmap_file.h"
#include "convert/output_target.h"
#include "convert/palette_reduce.h"
#include "convert/picture_decoder.h"
#include "convert/screen_fit.h"
#include "encoder/output_file.h"

namespace orvane {

SourcePicture::SourcePicture() = default;
SourcePicture::~SourcePicture() = default;
SourcePicture::SourcePicture(SourcePicture&&) noexcept = default;
SourcePicture& SourcePicture::operator=(SourcePicture&&) noexcept = default;

bool SourcePicture::empty() const {
    return !pixels_;
}
int SourcePicture::width() const {
    return pixels_ ? pixels_->fileWidth : 0;
}
int SourcePicture::height() const {
    return pixels_ ? pixels_->fileHeight : 0;
}
std::string SourcePicture::format() const {
    return pixels_ ? pixels_->format : std::string();
}

bool ParseColour(const std::string& text, Rgb& out) {
    const std::size_t start = !text.empty() && text[0] == '#' ? 1 : 0;
    if (text.size() != start + 6) return false;
    unsigned value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        const int c = std::tolower(static_cast<unsigned char>(text[i]));
        if (!std::isxdigit(c)) return false;
        value = value * 16 + static_cast<unsigned>(std::isdigit(c) ? c - '0' : c - 'a' + 10);
    }
    out = {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
           static_cast<std::uint8_t>(value)};
    return true;
}

ConvertOutcome LoadPicture(const std::string& path, SourcePicture& out, ProgressSink& progress) {
    out.pixels_.reset();
    auto pixels = std::make_unique<SourcePicture::Pixels>();
    ConvertOutcome outcome = DecodePicture(path, progress, *pixels);
    if (outcome.ok()) out.pixels_ = std::move(pixels);
    return outcome;
}

ConvertOutcome ConvertPicture(const SourcePicture& source, const PictureOptions& options,
                              Picture& out, ProgressSink& progress) {
    if (!source.pixels()) return {ConvertStatus::NotSupported, "No picture was loaded"};
    progress.SetMessage("Fitting the picture to the screen");
    const ScreenPlacement place = PlaceOnScreen(*source.pixels(), options.fit);
    // The colour a player will show for the background, used for the bars
    // and behind transparency alike, and kept in the palette exactly.
    const Rgb background = ToPlayerColour(options.background);
    std::vector<std::uint8_t> rgba;
    if (!RenderScreen(*source.pixels(), place, background, rgba))
        return {ConvertStatus::Damaged, "The picture could not be scaled (out of memory)"};
    if (progress.IsCancelled()) return {ConvertStatus::Stopped, "Stopped"};
    std::optional<Rgb> reserved;
    if (place.HasBars()) reserved = background;
    return ReducePalette(rgba, options.dither, reserved, progress, out);
}

namespace {

ConvertOutcome WriteBitmapBytes(const std::array<std::uint8_t, kBitmapFileBytes>& bytes,
                                const std::string& output, bool replace, const char* done) {
    OutputFile file;
    OutputError error = file.Create(output);
    if (!error) error = file.Write(bytes.data(), bytes.size());
    if (!error) error = file.Commit(replace);
    if (error) return WriteFailure(output, error);
    return {ConvertStatus::Done, done + output};
}

}  // namespace

ConvertOutcome WritePicture(const Picture& picture, const std::string& output,
                            const std::string& input, bool replace) {
    if (ConvertOutcome check = CheckOutputTarget(input, output, replace); !check.ok()) return check;
    return WriteBitmapBytes(BitmapFileBytes(picture), output, replace, "Picture converted: ");
}

ConvertOutcome PreparePicture(const std::string& input, const std::string& output,
                              const PictureOptions& options, bool replace, ProgressSink& progress) {
    if (ConvertOutcome check = CheckOutputTarget(input, output, replace); !check.ok()) return check;
    // A picture that already is what Orvane takes goes through as it is, so
    // that --convert never changes a picture the plain form would take.
    if (std::array<std::uint8_t, kBitmapFileBytes> bytes; ReadTakenBitmap(input, bytes))
        return WriteBitmapBytes(bytes, output, replace,
                                "Picture copied unchanged (already 288 x 192 in 16 colours): ");
    SourcePicture source;
    ConvertOutcome outcome = LoadPicture(input, source, progress);
    if (!outcome.ok()) return outcome;
    Picture picture;
    outcome = ConvertPicture(source, options, picture, progress);
    if (!outcome.ok()) return outcome;
    if (progress.IsCancelled()) return {ConvertStatus::Stopped, "Stopped"};
    return WritePicture(picture, output, input, replace);
}

}  // namespace orvane
