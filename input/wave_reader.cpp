#include "input/wave_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include "input/input_file.h"
#include "input/raw_file.h"

namespace orvane {
namespace {

constexpr std::size_t kHeaderBytes = 100;
// The tag must start within bytes 0..95: byte 99 ends the searched text.
constexpr std::size_t kSearchedBytes = kHeaderBytes - 1;
constexpr std::int64_t kDataTagToAudio = 8;  // the tag and the chunk's size field

using Header = std::array<std::uint8_t, kHeaderBytes>;

bool HasRequiredFormat(const Header& h) {
    return std::memcmp(h.data(), "RIFF", 4) == 0 && LoadLE16(h.data(), 22) == 2 &&
           LoadLE32(h.data(), 24) == 44100 && LoadLE16(h.data(), 34) == 16;
}

// Offset of the first "data" within the searched bytes. Zero bytes do not end
// the search: the header is full of them before the tag.
std::optional<std::size_t> FindDataTag(const Header& h) {
    static constexpr char kTag[] = "data";
    const auto end = h.begin() + kSearchedBytes;
    const auto at = std::search(h.begin(), end, kTag, kTag + 4);
    if (at == end) return std::nullopt;
    return static_cast<std::size_t>(at - h.begin());
}

WaveOutcome Outcome(WaveStatus status, std::string boxText, std::string logLine) {
    return {status, std::move(boxText), std::move(logLine)};
}

WaveOutcome ErrorOutcome(const std::string& text) {
    return Outcome(WaveStatus::OpenFailed, text, text);
}

// Header tests on an open file. The caller owns it and closes it.
WaveOutcome ReadOpenWave(const OpenedInput& input, WaveNumbers& numbers) {
    // A file shorter than 100 bytes reads as if its missing bytes were zero.
    Header header{};
    if (ReadUpTo(input.fd, header.data(), header.size()) < 0)
        return ErrorOutcome(std::strerror(errno));
    numbers.fileLength = input.size;

    if (!HasRequiredFormat(header))
        return Outcome(WaveStatus::BadFormat, "Invalid WAVE format, must be 44.1 kHz/16 bit/stereo",
                       "Invalid WAVE file selected");
    const std::optional<std::size_t> tag = FindDataTag(header);
    if (!tag)
        return Outcome(WaveStatus::NoDataChunk,
                       "Invalid WAVE file, no data chunk found in its first 99 bytes",
                       "Invalid WAVE file selected");
    numbers.audioDataOffset = static_cast<std::int64_t>(*tag) + kDataTagToAudio;
    return Outcome(WaveStatus::Accepted, "", "");
}

}  // namespace

WaveOutcome CheckWaveFile(const std::string& path, WaveNumbers& numbers) {
    // Opened for reading and writing, as the program always has.
    const OpenedInput input = OpenInputFile(path, O_RDWR);
    if (!input) return ErrorOutcome(input.error);
    WaveOutcome out = ReadOpenWave(input, numbers);
    close(input.fd);
    if (out.status != WaveStatus::Accepted) return out;

    if (numbers.fileLength - numbers.audioDataOffset < kMinimumAudioBytes)
        return Outcome(WaveStatus::TooShort, "WAVE file too short (must be at least 20 sec)",
                       "Invalid WAVE file selected");
    return Outcome(WaveStatus::Accepted, "", "Valid WAVE file selected: " + path);
}

}  // namespace orvane
