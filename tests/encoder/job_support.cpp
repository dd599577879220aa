#include "job_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "encoder/subcode.h"
#include "encoder/tile_encoder.h"

namespace orvane::test {

JobRig::JobRig(std::size_t audioBytes, std::uint32_t pictureSeed) : wav(MakeWav(audioBytes)) {
    WriteFile(wave, wav);
    inputs.picture = RandomPicture(pictureSeed);
    inputs.wavePath = wave;
    inputs.outputPath = output;
    inputs.audioDataOffset = static_cast<std::int64_t>(WavHeaderBytes());
    inputs.audioByteCount = static_cast<std::int64_t>(audioBytes);
}

void JobRig::Run() {
    state.stopRequested = false;
    CreationJob(inputs, state, sink);
}

Messages ExpectedProgress(std::int64_t sectorCount) {
    Messages m;
    for (std::int64_t s = 0; s < sectorCount; s += (s >= 1 && s <= 1536) ? 2 : 1) {
        m.emplace_back(JOB_PROGRESS, static_cast<int>((s + 1) * 100 / sectorCount));
    }
    return m;
}

namespace {

SubcodeBlock ScheduledBlock(const Picture& picture, std::int64_t s) {
    SubcodeBlock block{};
    if (s == 0) {
        EncodeColorTable(picture.palette, block);
    } else if (s <= 2 * kTileCount) {
        TilePackets tile;
        EncodeTile(picture, static_cast<int>((s - 1) / 2), tile);
        const std::size_t first = (s % 2 == 1) ? 0 : 4;
        for (std::size_t i = 0; i < 4; ++i) block.packets[i] = tile[first + i];
    }
    return block;
}

}  // namespace

void ExpectSectors(const Bytes& image, const JobRig& rig, std::int64_t sectors) {
    ASSERT_EQ(image.size(), static_cast<std::size_t>(sectors) * kRawSectorBytes);
    const auto header = static_cast<std::size_t>(rig.inputs.audioDataOffset);
    for (std::int64_t s = 0; s < sectors; ++s) {
        const std::uint8_t* sector = image.data() + s * kRawSectorBytes;
        const std::uint8_t* audio = rig.wav.data() + header + s * kAudioSectorBytes;
        ASSERT_EQ(std::memcmp(sector, audio, kAudioSectorBytes), 0) << "audio of sector " << s;
        const SubcodeBlock block = ScheduledBlock(rig.inputs.picture, s);
        ASSERT_EQ(std::memcmp(sector + kAudioSectorBytes, &block, kSubcodeBlockBytes), 0)
            << "subcode of sector " << s;
    }
}

}  // namespace orvane::test
