// libass as this program uses it: one library and renderer with the fonts
// found, scripts loaded from memory, and frames turned into the palette
// indices of the lyrics (no anti-aliasing: a CD+G pixel is one colour).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ass_library;
struct ass_renderer;
struct ass_track;

namespace orvane {

// A rectangle of the screen, right and bottom exclusive.
struct InkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    void Add(const InkBox& other);
};

// The lyrics' pixels inside a box of the screen: palette index or kNoInk.
struct InkLayer {
    static constexpr std::uint8_t kNoInk = 0xFF;
    InkBox box;
    std::vector<std::uint8_t> pixels;  // box.width() per row
    void Reset(const InkBox& area);
    std::uint8_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y - box.top) * box.width() + (x - box.left)];
    }
};

struct AssTrackFree {
    void operator()(ass_track* track) const;
};
using AssTrack = std::unique_ptr<ass_track, AssTrackFree>;

class AssRaster {
  public:
    // A frame of width x height pixels. `fontFile`: every glyph comes from
    // it; empty: fontconfig finds each script's font. Null with `error` set
    // when libass cannot start or the file cannot be read.
    static std::unique_ptr<AssRaster> Open(int width, int height, const std::string& fontFile,
                                           std::string& error);
    ~AssRaster();
    AssRaster(const AssRaster&) = delete;
    AssRaster& operator=(const AssRaster&) = delete;

    // Null when libass cannot parse it.
    AssTrack Load(const std::string& script);

    // The frame at `ms` into `layer` (cleared first; ink outside its box is
    // dropped). False, leaving `layer` as it was, when libass says the frame
    // equals the one it drew last for the same track.
    bool Render(ass_track* track, std::int64_t ms, InkLayer& layer);

    // The box of every pixel the frame at `ms` colours (empty: none).
    InkBox Ink(ass_track* track, std::int64_t ms);

  private:
    AssRaster() = default;
    ass_library* library_ = nullptr;
    ass_renderer* renderer_ = nullptr;
    const ass_track* last_ = nullptr;
};

}  // namespace orvane
