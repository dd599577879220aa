// The check of an image against its picture: clean, one corrupted subcode
// byte here or there.
#include "player/picture_check.h"

#include <gtest/gtest.h>

#include "cdg_stream.h"
#include "encoder/job_support.h"

namespace orvane::test {
namespace {

struct Rig {
    JobRig job{1600 * kSectorAudioBytes, 8};
    std::string picture = job.dir.File("picture.bmp");
    Rig() {
        job.Run();
        WriteFile(picture, MakeBmp(job.inputs.picture));
    }
};

TEST(PictureCheck, CleanImageMatchesAndOneBadByteIsFound) {
    Rig rig;
    const Bytes image = ReadFile(rig.job.output);
    // Sector 101 holds the first half of a tile: a normal tile, then XOR tiles.
    const std::size_t packet = 101 * kRawSectorBytes + kSectorAudioBytes;
    struct Case {
        const char* name;
        std::size_t at;  // the byte changed, or 0: none
        std::uint8_t flip;
        std::uint64_t differing;
    };
    const Case cases[] = {
        {"clean", 0, 0, 0},
        {"one pixel bit of a tile", packet + 4 + 4 + 3, 0x01, 1},
        {"one XOR tile's row", packet + 24 + 4 + 4 + 11, 0x3F, 6},
        {"a parity byte, which players ignore", packet + 2, 0x15, 0},
    };
    const std::string path = rig.job.dir.File("check.cdg");
    for (const Case& c : cases) {
        Bytes bytes = image;
        bytes[c.at] ^= c.flip;
        WriteFile(path, bytes);
        const ImageCheck check = CheckImageFile(path, rig.picture);
        ASSERT_EQ(check.status, CheckStatus::Checked) << c.name << ": " << check.message;
        EXPECT_EQ(check.result.differingPixels, c.differing) << c.name;
        EXPECT_DOUBLE_EQ(check.result.completeSeconds, 1537.0 / 75) << c.name;  // 20.49 s
    }
}

}  // namespace
}  // namespace orvane::test
