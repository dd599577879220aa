// Any bytes, as packets for the decoder and as a file for the player model
// (an image or a .cdg, told apart by content). Beyond not crashing, the
// player's last screen must be the decoder's over the same sectors.
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "player/cdg_player.h"
#include "player/screen_render.h"

using namespace orvane;

namespace {

// A .cdg's last sector may hold only some whole packets: the player pads it
// with empty ones, so the copy here is padded the same way.
CdgScreen DecodeSectors(const std::uint8_t* data, std::size_t size, const CdgPlayer& player) {
    CdgDecoder decoder;
    const std::size_t bytes = SectorBytes(player.layout());
    const std::size_t at = player.layout() == SectorLayout::RawImage ? kSectorAudioBytes : 0;
    std::vector<std::uint8_t> padded(player.sectorCount() * bytes, 0);
    for (std::size_t i = 0; i < padded.size() && i < size; ++i) padded[i] = data[i];
    if (player.layout() != SectorLayout::RawImage) {
        const std::size_t whole = size / kCdgPacketBytes * kCdgPacketBytes;
        for (std::size_t i = whole; i < padded.size(); ++i) padded[i] = 0;
    }
    for (std::uint64_t s = 0; s < player.sectorCount(); ++s)
        decoder.ApplySector(padded.data() + s * bytes + at);
    return decoder.screen();
}

void Play(const std::uint8_t* data, std::size_t size) {
    CdgPlayer player;
    if (player.Open(fuzz::InputAsFile(data, size))) return;
    if (!(DecodeSectors(data, size, player) == player.FinalScreen())) std::abort();
    CdgScreen screen;
    if (player.ScreenAfter(player.sectorCount(), screen) || !(screen == player.FinalScreen())) {
        std::abort();
    }
    ScreenCursor cursor(player);
    for (std::uint64_t at :
         {player.sectorCount() / 2, std::uint64_t{0}, size % 7, ~std::uint64_t{0}}) {
        if (cursor.MoveTo(at) || player.ScreenAfter(at, screen)) std::abort();
        if (!(cursor.screen() == screen)) std::abort();
    }
    std::vector<std::uint8_t> audio(2 * kSectorAudioBytes);
    std::size_t read = 0;
    player.ReadAudio(player.sectorCount() - 1, 2, audio.data(), read);
    if (read != (player.hasAudio() ? 1u : 0u)) std::abort();
    // Rendering reads the memory through the offsets the input set. Once:
    // per-pixel loops are most of a run's time under coverage tracing.
    const RgbScreen rgb = RenderRgb(player.FinalScreen());
    if (rgb.size() != kCdgRgbBytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CdgDecoder decoder;
    for (std::size_t at = 0; at + kCdgPacketBytes <= size; at += kCdgPacketBytes) {
        decoder.ApplyPacket(data + at);
    }
    Play(data, size);
    return 0;
}
