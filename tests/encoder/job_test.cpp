// Whole runs of the creation job: the image, the statuses, stops.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "encoder/subcode.h"
#include "job_support.h"
#include "player/cdg_decoder.h"

namespace orvane {
namespace {

using test::Bytes;
using test::JobRig;
using test::Messages;

Messages Completed(std::int64_t sectorCount) {
    Messages m = test::ExpectedProgress(sectorCount);
    m.emplace_back(JOB_COMPLETED, 0);
    return m;
}

TEST(CreationJob, ImagesOfEveryLengthFollowTheSchedule) {
    struct Case {
        std::int64_t sectors;
        std::size_t remainder;
        std::size_t progressMessages;
        int lastProgress;
    };
    // 1,500 sectors: tile 749 gets its first half only; 1,537: the picture
    // just fits; from 1,538 on the sectors carry empty blocks.
    const Case cases[] = {{0, 2351, 0, 0},       {1, 0, 1, 100},     {2, 17, 2, 100},
                          {1500, 0, 751, 100},   {1501, 1, 751, 99}, {1536, 0, 769, 100},
                          {1537, 2000, 769, 99}, {1538, 0, 770, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sectors << " sectors");
        JobRig rig(static_cast<std::size_t>(c.sectors) * kAudioSectorBytes + c.remainder);
        rig.state.readFailed = true;  // left over from an earlier run
        rig.state.writeFailed = true;
        rig.Run();
        EXPECT_EQ(rig.sink.messages, Completed(c.sectors));
        ASSERT_EQ(rig.sink.messages.size(), c.progressMessages + 1);
        if (c.sectors > 0) {
            EXPECT_EQ(rig.sink.messages[c.progressMessages - 1].second, c.lastProgress);
        }
        EXPECT_FALSE(rig.state.readFailed);
        EXPECT_FALSE(rig.state.writeFailed);
        EXPECT_FALSE(rig.state.stopRequested);
        test::ExpectSectors(test::ReadFile(rig.output), rig, c.sectors);
    }
}

TEST(CreationJob, ThreeMinuteRecordingDrawsThePictureOnce) {
    JobRig rig(31752000);
    test::WriteFile(rig.output, Bytes(40'000'000, 0xEE));  // an older, longer image
    rig.Run();
    EXPECT_EQ(rig.sink.messages, Completed(13500));
    EXPECT_EQ(rig.sink.messages.size(), 13500u - 768u + 1u);
    const Bytes image = test::ReadFile(rig.output);
    test::ExpectSectors(image, rig, 13500);

    // Played back on a screen full of noise, the subcode shows the picture.
    CdgScreen noise;
    noise.memory.fill(5);
    CdgDecoder player;
    player.SetScreen(noise);
    for (std::size_t s = 0; s < 13500; ++s) {
        player.ApplySector(image.data() + s * kRawSectorBytes + kAudioSectorBytes);
    }
    const CdgScreen& screen = player.screen();
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            ASSERT_EQ(screen.memory[(y + 12) * kCdgWidth + x + 6],
                      PixelAt(rig.inputs.picture, x, y));
        }
    }
    for (std::size_t k = 0; k < 16; ++k) {
        const PaletteEntry& e = rig.inputs.picture.palette[k];
        EXPECT_EQ(screen.colours[k], ((e.red >> 4) << 8) | ((e.green >> 4) << 4) | (e.blue >> 4));
    }
}

TEST(CreationJob, HeaderLongerThanASectorIsSkippedWhole) {
    JobRig rig(4 * kAudioSectorBytes);
    test::WavFields fields;
    fields.extraChunks = Bytes(5000, 'x');
    rig.wav = test::MakeWav(4 * kAudioSectorBytes, fields);
    test::WriteFile(rig.wave, rig.wav);
    rig.inputs.audioDataOffset = static_cast<std::int64_t>(test::WavHeaderBytes(fields));
    rig.Run();
    EXPECT_EQ(rig.sink.messages, Completed(4));
    test::ExpectSectors(test::ReadFile(rig.output), rig, 4);
}

TEST(CreationJob, NewImageTakesItsModeFromTheUmask) {
    JobRig rig(2 * kAudioSectorBytes);
    const mode_t old = umask(022);
    rig.Run();
    umask(old);
    struct stat st {};
    ASSERT_EQ(stat(rig.output.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);  // others may read it, e.g. to burn it
}

TEST(CreationJob, StopBeforeTheLoopLeavesAnEmptyImage) {
    JobRig rig(10 * kAudioSectorBytes);
    test::WriteFile(rig.output, Bytes(5000, 1));
    CreationJob(rig.inputs, rig.state, rig.sink);  // stopRequested still set from start-up
    EXPECT_EQ(rig.sink.messages, (Messages{{JOB_CANCELLED, 0}}));
    ASSERT_TRUE(std::filesystem::exists(rig.output));
    EXPECT_EQ(std::filesystem::file_size(rig.output), 0u);
}

TEST(CreationJob, StopMidRunEndsOnWholeSectorsAndWholeTiles) {
    // stop during the progress of sector `at`: that iteration still finishes
    struct Case {
        std::int64_t sectors, at, written;
    };
    for (const Case& c :
         {Case{20, 0, 1}, Case{20, 5, 7}, Case{1545, 1535, 1537}, Case{1545, 1540, 1541}}) {
        SCOPED_TRACE(testing::Message() << "stop at sector " << c.at);
        JobRig rig(static_cast<std::size_t>(c.sectors) * kAudioSectorBytes);
        // Index of sector `at` among the iterations.
        std::size_t stopIndex = 0;
        for (std::int64_t s = 0; s < c.at; s += (s >= 1 && s <= 1536) ? 2 : 1) ++stopIndex;
        std::size_t progress = 0;
        rig.sink.onSend = [&](JobStatus code, int) {
            if (code == JOB_PROGRESS && progress++ == stopIndex) rig.state.stopRequested = true;
        };
        rig.Run();
        Messages expected = test::ExpectedProgress(c.sectors);
        expected.resize(stopIndex + 1);
        expected.emplace_back(JOB_CANCELLED, 0);
        EXPECT_EQ(rig.sink.messages, expected);
        test::ExpectSectors(test::ReadFile(rig.output), rig, c.written);
    }
}

}  // namespace
}  // namespace orvane
