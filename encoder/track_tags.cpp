#include "encoder/track_tags.h"

#include <array>
#include <cstdint>

namespace orvane {
namespace {

// The payload, as bytes before they are spread over 6-bit symbols:
// marker (4), version (1), title length (1), performer length (1), the two
// texts, then a CRC-16 of everything before it (2, little-endian).
constexpr std::array<std::uint8_t, 4> kMarker = {'O', 'r', 'v', 'T'};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderBytes = kMarker.size() + 3;
constexpr std::size_t kCheckBytes = 2;
constexpr std::size_t kSymbolsPerPacket = 16;
constexpr std::size_t kBytesPerPacket = kSymbolsPerPacket * 6 / 8;  // 12

// CRC-16/CCITT-FALSE: two bytes are enough to tell our packets from chance.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
        }
    }
    return crc;
}

// The longest start of `text` of at most kTrackTagBytes bytes that does not
// end inside a UTF-8 sequence.
std::string Bounded(const std::string& text) {
    if (text.size() <= kTrackTagBytes) return text;
    std::size_t cut = kTrackTagBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

std::vector<std::uint8_t> Payload(const TrackTags& tags) {
    const std::string title = Bounded(tags.title);
    const std::string performer = Bounded(tags.performer);
    std::vector<std::uint8_t> bytes(kMarker.begin(), kMarker.end());
    bytes.push_back(kVersion);
    bytes.push_back(static_cast<std::uint8_t>(title.size()));
    bytes.push_back(static_cast<std::uint8_t>(performer.size()));
    bytes.insert(bytes.end(), title.begin(), title.end());
    bytes.insert(bytes.end(), performer.begin(), performer.end());
    const std::uint16_t crc = Crc16(bytes.data(), bytes.size());
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
    return bytes;
}

std::size_t PacketsFor(std::size_t payloadBytes) {
    return (payloadBytes + kBytesPerPacket - 1) / kBytesPerPacket;
}

// 12 bytes (zero-padded) as 16 symbols of 6 bits, high bits first.
void PackBytes(const std::uint8_t* bytes, std::size_t size, SubcodePacket& packet) {
    std::array<std::uint8_t, kBytesPerPacket> chunk{};
    for (std::size_t i = 0; i < size && i < chunk.size(); ++i) chunk[i] = bytes[i];
    for (std::size_t group = 0; group < 4; ++group) {
        const std::uint32_t v = (std::uint32_t{chunk[3 * group]} << 16) |
                                (std::uint32_t{chunk[3 * group + 1]} << 8) | chunk[3 * group + 2];
        for (std::size_t s = 0; s < 4; ++s) {
            packet.data[4 * group + s] = static_cast<std::uint8_t>((v >> (18 - 6 * s)) & 0x3F);
        }
    }
}

std::array<std::uint8_t, kBytesPerPacket> UnpackBytes(const SubcodePacket& packet) {
    std::array<std::uint8_t, kBytesPerPacket> chunk{};
    for (std::size_t group = 0; group < 4; ++group) {
        std::uint32_t v = 0;
        for (std::size_t s = 0; s < 4; ++s) v = (v << 6) | (packet.data[4 * group + s] & 0x3Fu);
        chunk[3 * group] = static_cast<std::uint8_t>(v >> 16);
        chunk[3 * group + 1] = static_cast<std::uint8_t>(v >> 8);
        chunk[3 * group + 2] = static_cast<std::uint8_t>(v);
    }
    return chunk;
}

// Packet `index` of a run of tag packets: command 0, its place in the run as
// the instruction.
bool IsTagPacket(const SubcodePacket& packet, std::size_t index) {
    return (packet.command & 0x3F) == 0 && (packet.instruction & 0x3F) == index;
}

std::optional<TrackTags> DecodeAt(const SubcodePacket* packets, std::size_t count) {
    if (!IsTagPacket(packets[0], 0)) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    const auto first = UnpackBytes(packets[0]);
    bytes.assign(first.begin(), first.end());
    for (std::size_t i = 0; i < kMarker.size(); ++i) {
        if (bytes[i] != kMarker[i]) return std::nullopt;
    }
    if (bytes[4] != kVersion || bytes[5] > kTrackTagBytes || bytes[6] > kTrackTagBytes) {
        return std::nullopt;
    }
    const std::size_t textBytes = std::size_t{bytes[5]} + bytes[6];
    const std::size_t total = kHeaderBytes + textBytes + kCheckBytes;
    const std::size_t needed = PacketsFor(total);
    if (needed > count) return std::nullopt;
    for (std::size_t p = 1; p < needed; ++p) {
        if (!IsTagPacket(packets[p], p)) return std::nullopt;
        const auto chunk = UnpackBytes(packets[p]);
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    const std::size_t body = kHeaderBytes + textBytes;
    const std::uint16_t stored = static_cast<std::uint16_t>(bytes[body] | (bytes[body + 1] << 8));
    if (stored != Crc16(bytes.data(), body)) return std::nullopt;
    const char* text = reinterpret_cast<const char*>(bytes.data() + kHeaderBytes);
    return TrackTags{std::string(text, bytes[5]), std::string(text + bytes[5], bytes[6])};
}

}  // namespace

std::vector<SubcodePacket> EncodeTrackTags(const TrackTags& tags) {
    const std::vector<std::uint8_t> bytes = Payload(tags);
    std::vector<SubcodePacket> packets(PacketsFor(bytes.size()));
    for (std::size_t p = 0; p < packets.size(); ++p) {
        packets[p].instruction = static_cast<std::uint8_t>(p);
        const std::size_t at = p * kBytesPerPacket;
        PackBytes(bytes.data() + at, bytes.size() - at, packets[p]);
    }
    return packets;
}

std::optional<TrackTags> DecodeTrackTags(const SubcodePacket* packets, std::size_t count) {
    for (std::size_t start = 0; packets != nullptr && start < count; ++start) {
        if (auto tags = DecodeAt(packets + start, count - start)) return tags;
    }
    return std::nullopt;
}

}  // namespace orvane
