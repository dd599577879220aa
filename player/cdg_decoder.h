// A CD+G graphics decoder as a karaoke player runs one: the 300 x 216 memory
// of 4-bit colour indices (border included), the 16-entry colour table, the
// smooth-scrolling offsets and the transparent colour, changed packet by
// packet. Only packets whose command's low six bits are 9 count; unknown
// instructions are skipped, so streams made by any tool decode as they play.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvane {

inline constexpr int kCdgWidth = 300;
inline constexpr int kCdgHeight = 216;
inline constexpr int kCdgColumns = 50;  // tiles of 6 x 12 pixels
inline constexpr int kCdgRows = 18;
inline constexpr int kCdgTileWidth = 6;
inline constexpr int kCdgTileHeight = 12;
// The visible area: 288 x 192 at (6, 12); the rest is the border.
inline constexpr int kCdgVisibleLeft = 6;
inline constexpr int kCdgVisibleTop = 12;
inline constexpr int kCdgVisibleWidth = 288;
inline constexpr int kCdgVisibleHeight = 192;
inline constexpr std::size_t kCdgPacketBytes = 24;
inline constexpr std::size_t kCdgPacketsPerSector = 4;
inline constexpr std::size_t kCdgPixels = std::size_t{kCdgWidth} * kCdgHeight;
inline constexpr std::size_t kCdgRgbBytes = kCdgPixels * 3;
inline constexpr std::uint8_t kNoTransparentColour = 16;

// The graphics command and its instructions (byte 0 and byte 1 of a packet,
// low six bits each).
enum CdgInstruction : std::uint8_t {
    kCdgGraphicsCommand = 9,
    kCdgMemoryPreset = 1,
    kCdgBorderPreset = 2,
    kCdgTileBlock = 6,
    kCdgScrollPreset = 20,
    kCdgScrollCopy = 24,
    kCdgDefineTransparent = 28,
    kCdgLoadColoursLow = 30,
    kCdgLoadColoursHigh = 31,
    kCdgTileBlockXor = 38,
};

// Everything a player shows at one moment. Starts black: indices 0, colours 0.
struct CdgScreen {
    // Row-major, kCdgWidth per row; the whole memory, border included.
    std::array<std::uint8_t, kCdgPixels> memory{};
    // 12-bit colours 0xRGB, 4 bits per component.
    std::array<std::uint16_t, 16> colours{};
    std::uint8_t horizontalOffset = 0;  // 0..5
    std::uint8_t verticalOffset = 0;    // 0..11
    std::uint8_t transparent = kNoTransparentColour;

    bool operator==(const CdgScreen&) const = default;
};

class CdgDecoder {
  public:
    // Applies one 24-byte packet. True when it was a graphics packet (command
    // 9), whether or not its instruction is known.
    bool ApplyPacket(const std::uint8_t* packet);
    // Applies the four packets of one sector's 96 subcode bytes. Returns the
    // number of graphics packets among them.
    int ApplySector(const std::uint8_t* subcode);

    const CdgScreen& screen() const { return screen_; }
    void SetScreen(const CdgScreen& screen) { screen_ = screen; }
    void Reset() { screen_ = CdgScreen{}; }

    // True when `packet` is a graphics packet whose instruction draws a tile
    // (normal or XOR) inside the 50 x 18 grid.
    static bool DrawsTile(const std::uint8_t* packet);

  private:
    void Preset(std::uint8_t colour);
    void Border(std::uint8_t colour);
    void Tile(const std::uint8_t* data, bool exclusiveOr);
    void Scroll(const std::uint8_t* data, bool copy);
    void LoadColours(const std::uint8_t* data, int first);

    CdgScreen screen_;
};

}  // namespace orvane
