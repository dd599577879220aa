// ffmpeg's CD+G decoder as an independent player of a whole image.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "encoder/subcode.h"
#include "job_support.h"

namespace orvane {
namespace {

using test::Bytes;

bool HaveFfmpeg() {
    return std::system("ffmpeg -version > /dev/null 2>&1") == 0;
}

// The subcode of each sector, one after the other: a plain .cdg stream.
Bytes SubcodeStream(const Bytes& image) {
    Bytes cdg;
    for (std::size_t at = 0; at + kRawSectorBytes <= image.size(); at += kRawSectorBytes) {
        cdg.insert(cdg.end(), image.begin() + at + kAudioSectorBytes,
                   image.begin() + at + kRawSectorBytes);
    }
    return cdg;
}

TEST(FfmpegOracle, PlayerShowsThePictureInItsColours) {
    if (!HaveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    test::JobRig rig(1540 * kAudioSectorBytes, 11);
    // Colours whose low bits differ from their high bits, to see them dropped.
    for (std::size_t k = 0; k < 16; ++k) {
        rig.inputs.picture.palette[k] = {static_cast<std::uint8_t>(k * 16 + 15),
                                         static_cast<std::uint8_t>(255 - k * 16),
                                         static_cast<std::uint8_t>((k * 77) & 0xFF), 0x99};
    }
    rig.Run();
    const std::string cdg = rig.dir.File("x.cdg"), ppm = rig.dir.File("final.ppm");
    const Bytes stream = SubcodeStream(test::ReadFile(rig.output));
    test::WriteFile(cdg, stream);
    // The decoder gives one frame per graphics packet; only the last one is
    // converted and written, since writing every frame takes seconds.
    std::size_t frames = 0;
    for (std::size_t at = 0; at < stream.size(); at += sizeof(SubcodePacket)) {
        frames += (stream[at] & 0x3F) == CDG_COMMAND;
    }
    const std::string last = std::to_string(frames - 1);
    const std::string command = "ffmpeg -nostdin -v error -y -f cdg -i '" + cdg +
                                "' -fps_mode passthrough -vf 'select=gte(n\\," + last +
                                ")' -pix_fmt rgb24 -update 1 '" + ppm + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const Bytes frame = test::ReadFile(ppm);
    const std::string head = "P6\n300 216\n255\n";
    ASSERT_GE(frame.size(), head.size() + 300 * 216 * 3);
    ASSERT_EQ(std::string(frame.begin(), frame.begin() + head.size()), head);
    const std::uint8_t* rgb = frame.data() + head.size();
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const PaletteEntry& e = rig.inputs.picture.palette[PixelAt(rig.inputs.picture, x, y)];
            const std::uint8_t* px = rgb + ((y + 12) * 300 + (x + 6)) * 3;
            ASSERT_EQ(px[0], (e.red >> 4) * 17) << x << "," << y;
            ASSERT_EQ(px[1], (e.green >> 4) * 17) << x << "," << y;
            ASSERT_EQ(px[2], (e.blue >> 4) * 17) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace orvane
