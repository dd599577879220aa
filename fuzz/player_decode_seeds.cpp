// Seeds: a .cdg stream using every instruction, raw images of one and two
// sectors (one with a tail), a WAVE header, and nothing.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

using Packet = std::array<std::uint8_t, 24>;

Packet Graphics(std::uint8_t instruction, std::vector<std::uint8_t> data) {
    Packet p{};
    p[0] = 9;
    p[1] = instruction;
    for (std::size_t k = 0; k < data.size() && k < 16; ++k) p[4 + k] = data[k];
    return p;
}

std::string Join(const std::vector<Packet>& packets) {
    std::string out;
    for (const Packet& p : packets) out.append(p.begin(), p.end());
    while (out.size() % 96 != 0) out.push_back('\0');
    return out;
}

std::vector<Packet> EveryInstruction() {
    const std::vector<std::uint8_t> bits = {1, 2, 4, 8, 16, 32, 63, 0, 21, 42, 7, 56};
    auto tile = [&](std::uint8_t instruction, std::uint8_t row, std::uint8_t column) {
        std::vector<std::uint8_t> data = {3, 12, row, column};
        data.insert(data.end(), bits.begin(), bits.end());
        return Graphics(instruction, data);
    };
    return {Graphics(30, {0x3C, 0x0F, 0x03, 0x30, 0x15, 0x2A, 0x3F, 0x3F}),
            Graphics(31, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}),
            Graphics(1, {2, 0}),
            Graphics(2, {5, 0}),
            tile(6, 0, 0),
            tile(38, 17, 49),
            tile(6, 8, 25),
            Graphics(20, {4, 0x12, 0x25}),
            Graphics(24, {6, 0x20, 0x1B}),
            Graphics(24, {6, 0x00, 0x00}),
            Graphics(28, {7}),
            Graphics(1, {9, 3})};
}

std::string RawImage(const std::string& subcode, std::size_t tail) {
    std::string out;
    for (std::size_t at = 0; at < subcode.size(); at += 96) {
        out.append(2352, static_cast<char>(at / 96 + 1));
        out.append(subcode, at, 96);
    }
    out.append(tail, 'x');
    return out;
}

}  // namespace

std::vector<std::string> FuzzSeeds() {
    const std::string cdg = Join(EveryInstruction());
    std::string wave = "RIFF\x24\x10\0\0WAVEfmt ";
    wave.append(4000, '\x11');
    return {
        cdg, cdg + "tail", RawImage(cdg.substr(0, 96), 0), RawImage(cdg.substr(0, 192), 100), wave,
        ""};
}
