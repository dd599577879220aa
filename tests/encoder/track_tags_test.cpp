// Track tags: what goes in comes out, through burned-disc symbols, and an
// image made without lyrics is never read as tagged.
#include "encoder/track_tags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "job_support.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

std::vector<SubcodePacket> PacketsOf(const test::Bytes& image) {
    std::vector<SubcodePacket> packets;
    for (std::size_t at = kAudioSectorBytes; at + kSubcodeBlockBytes <= image.size();
         at += kRawSectorBytes) {
        SubcodeBlock block;
        std::memcpy(static_cast<void*>(&block), &image[at], sizeof block);
        packets.insert(packets.end(), block.packets.begin(), block.packets.end());
    }
    return packets;
}

TEST(TrackTags, RoundTripThroughAnImagesFirstPackets) {
    const std::string accent = "\xC3\xA9";  // é: a two-byte sequence
    struct Case {
        TrackTags in, out;
    } cases[] = {
        {{"", ""}, {"", ""}},
        {{"Song \"A\" \\ 2", "Band"}, {"Song \"A\" \\ 2", "Band"}},
        // 159 bytes then a two-byte letter: cut before it, never inside.
        {{std::string(159, 'x') + accent, std::string(200, 'p')},
         {std::string(159, 'x'), std::string(160, 'p')}},
    };
    for (const Case& c : cases) {
        // Where the lyrics encoder puts them: after the colour table, among
        // ordinary empty packets, with the P and Q bits set as on a rip.
        std::vector<SubcodePacket> packets(2);
        packets[0].command = CDG_COMMAND;
        packets[0].instruction = CDG_LOAD_COLORS_LOW;
        const auto tags = EncodeTrackTags(c.in);
        packets.insert(packets.end(), tags.begin(), tags.end());
        packets.resize(packets.size() + 8);
        for (auto& p : packets) {
            p.command |= 0xC0;
            p.instruction |= 0xC0;
            for (auto& d : p.data) {
                EXPECT_LE(d, 0x3F);
                d |= 0xC0;
            }
        }
        const auto decoded = DecodeTrackTags(packets.data(), packets.size());
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, c.out);

        // A single changed symbol or a lost last packet is no tag at all.
        auto damaged = packets;
        damaged[1 + tags.size()].data[0] ^= 1;
        EXPECT_FALSE(DecodeTrackTags(damaged.data(), damaged.size()));
        EXPECT_FALSE(DecodeTrackTags(packets.data(), 1 + tags.size()));
    }
}

TEST(TrackTags, AnImageMadeWithoutLyricsHasNone) {
    test::JobRig rig(kAudioSectorBytes * 300);
    rig.Run();
    const auto packets = PacketsOf(test::ReadFile(rig.output));
    ASSERT_GT(packets.size(), 1000u);
    EXPECT_FALSE(DecodeTrackTags(packets.data(), packets.size()));
    const std::vector<SubcodePacket> empty(64);
    EXPECT_FALSE(DecodeTrackTags(empty.data(), empty.size()));
    EXPECT_FALSE(DecodeTrackTags(nullptr, 0));
}

}  // namespace
}  // namespace orvane
