#include "cdg_stream.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace orvane::test {

Packet Graphics(std::uint8_t instruction, std::initializer_list<std::uint8_t> data) {
    Packet p{};
    p[0] = kCdgGraphicsCommand;
    p[1] = instruction;
    std::size_t at = 4;
    for (std::uint8_t d : data) p[at++] = d;
    return p;
}

Packet Tile(int row, int column, int colour0, int colour1, const std::array<std::uint8_t, 12>& bits,
            bool exclusiveOr) {
    Packet p = Graphics(exclusiveOr ? kCdgTileBlockXor : kCdgTileBlock,
                        {static_cast<std::uint8_t>(colour0), static_cast<std::uint8_t>(colour1),
                         static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column)});
    std::memcpy(&p[8], bits.data(), bits.size());
    return p;
}

Packet Preset(int colour, int repeat) {
    return Graphics(kCdgMemoryPreset,
                    {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(repeat)});
}

Packet Border(int colour) {
    return Graphics(kCdgBorderPreset, {static_cast<std::uint8_t>(colour)});
}

Packet Scroll(bool copy, int colour, int across, int hOffset, int down, int vOffset) {
    return Graphics(
        copy ? kCdgScrollCopy : kCdgScrollPreset,
        {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>((across << 4) | hOffset),
         static_cast<std::uint8_t>((down << 4) | vOffset)});
}

Packet Colours(int first, const std::array<std::uint16_t, 8>& rgb) {
    Packet p = Graphics(first == 0 ? kCdgLoadColoursLow : kCdgLoadColoursHigh, {});
    for (int k = 0; k < 8; ++k) {
        p[4 + 2 * k] = static_cast<std::uint8_t>(((rgb[k] >> 8 & 15) << 2) | (rgb[k] >> 6 & 3));
        p[5 + 2 * k] = static_cast<std::uint8_t>(((rgb[k] >> 4 & 3) << 4) | (rgb[k] & 15));
    }
    return p;
}

void CdgStream::EndSector() {
    while (packets_.size() % 4 != 0) packets_.push_back(Packet{});
}

Bytes CdgStream::bytes() const {
    Bytes out(sectors() * kSectorSubcodeBytes, 0);
    for (std::size_t k = 0; k < packets_.size(); ++k) {
        std::memcpy(&out[k * kCdgPacketBytes], packets_[k].data(), kCdgPacketBytes);
    }
    return out;
}

CdgScreen CdgStream::DecodeFirst(std::size_t sectors) const {
    CdgDecoder decoder;
    for (std::size_t k = 0; k < packets_.size() && k < sectors * 4; ++k) {
        decoder.ApplyPacket(packets_[k].data());
    }
    return decoder.screen();
}

bool HaveFfmpeg() {
    return std::system("ffmpeg -version > /dev/null 2>&1") == 0;
}

std::optional<RgbScreen> FfmpegLastFrame(const std::string& path) {
    // One frame per graphics packet; only the last is converted and piped.
    const Bytes cdg = ReadFile(path);
    std::size_t frames = 0;
    for (std::size_t at = 0; at + kCdgPacketBytes <= cdg.size(); at += kCdgPacketBytes) {
        frames += (cdg[at] & 0x3F) == kCdgGraphicsCommand;
    }
    if (frames == 0) return std::nullopt;
    const std::string command = "ffmpeg -nostdin -v error -f cdg -i '" + path +
                                "' -fps_mode passthrough -vf 'select=gte(n\\," +
                                std::to_string(frames - 1) + ")' -f rawvideo -pix_fmt rgb24 -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return std::nullopt;
    // Frames are whole screens; keep the last one read.
    RgbScreen frame{}, last{};
    bool any = false;
    while (std::fread(frame.data(), 1, frame.size(), pipe.get()) == frame.size()) {
        last = frame;
        any = true;
    }
    if (pclose(pipe.release()) != 0 || !any) return std::nullopt;
    return last;
}

std::optional<RgbScreen> PngPixels(const std::string& png) {
    const std::string command =
        "ffmpeg -nostdin -v error -i '" + png + "' -f rawvideo -pix_fmt rgb24 -";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    RgbScreen rgb{};
    if (!pipe || std::fread(rgb.data(), 1, rgb.size(), pipe.get()) != rgb.size())
        return std::nullopt;
    return rgb;
}

Bytes SubcodeOf(const Bytes& image) {
    Bytes cdg;
    for (std::size_t at = 0; at + kRawSectorBytes <= image.size(); at += kRawSectorBytes) {
        cdg.insert(cdg.end(), image.begin() + at + kSectorAudioBytes,
                   image.begin() + at + kRawSectorBytes);
    }
    return cdg;
}

std::string FirstDifference(const RgbScreen& got, const RgbScreen& want) {
    for (std::size_t k = 0; k < got.size(); k += 3) {
        if (std::memcmp(&got[k], &want[k], 3) == 0) continue;
        const std::size_t px = k / 3;
        return std::to_string(px % kCdgWidth) + "," + std::to_string(px / kCdgWidth) + ": got " +
               std::to_string(got[k]) + " " + std::to_string(got[k + 1]) + " " +
               std::to_string(got[k + 2]) + ", want " + std::to_string(want[k]) + " " +
               std::to_string(want[k + 1]) + " " + std::to_string(want[k + 2]);
    }
    return "";
}

}  // namespace orvane::test
