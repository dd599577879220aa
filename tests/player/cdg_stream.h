// Builds .cdg streams packet by packet, and asks ffmpeg's CD+G decoder what
// it shows after the first sectors of one.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "input/sector_file.h"
#include "player/cdg_decoder.h"
#include "player/screen_render.h"
#include "support/fixtures.h"

namespace orvane::test {

using Packet = std::array<std::uint8_t, kCdgPacketBytes>;

Packet Graphics(std::uint8_t instruction, std::initializer_list<std::uint8_t> data);
Packet Tile(int row, int column, int colour0, int colour1, const std::array<std::uint8_t, 12>& bits,
            bool exclusiveOr = false);
Packet Preset(int colour, int repeat = 0);
Packet Border(int colour);
// across/down: 0 none, 1 right/down, 2 left/up.
Packet Scroll(bool copy, int colour, int across, int hOffset, int down, int vOffset);
// Eight 12-bit colours 0xRGB into entries `first`..`first + 7` (first 0 or 8).
Packet Colours(int first, const std::array<std::uint16_t, 8>& rgb);

// Packets four to a sector; the last sector padded with empty packets.
class CdgStream {
  public:
    void Add(const Packet& p) { packets_.push_back(p); }
    void EndSector();  // pads to the next sector boundary
    std::size_t sectors() const { return (packets_.size() + 3) / 4; }
    Bytes bytes() const;
    // The decoder's screen after the first `sectors` sectors.
    CdgScreen DecodeFirst(std::size_t sectors) const;

  private:
    std::vector<Packet> packets_;
};

bool HaveFfmpeg();
// ffmpeg's last frame of the .cdg file `path` (300 x 216 RGB); nullopt when
// it gives no frame (no graphics packet), or fails.
std::optional<RgbScreen> FfmpegLastFrame(const std::string& path);

// The pixels of a 300 x 216 PNG, as ffmpeg reads them.
std::optional<RgbScreen> PngPixels(const std::string& png);

// The subcode of each whole sector of a raw image: a plain .cdg stream.
Bytes SubcodeOf(const Bytes& image);

// "x,y: got R G B, want R G B" for the first pixel that differs, or "".
std::string FirstDifference(const RgbScreen& got, const RgbScreen& want);

}  // namespace orvane::test
