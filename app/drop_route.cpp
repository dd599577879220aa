#include "app/drop_route.h"

#include <array>
#include <cstring>
#include <fstream>
#include <memory>

#include "input/bitmap_reader.h"
#include "input/wave_reader.h"

namespace orvane {

namespace {

enum class Sniffed { Bitmap, Wave, Other };

Sniffed Sniff(const std::string& path) {
    std::array<char, 12> head{};
    std::ifstream in(path, std::ios::binary);
    in.read(head.data(), head.size());
    const auto got = in.gcount();
    if (got >= 2 && std::memcmp(head.data(), "BM", 2) == 0) return Sniffed::Bitmap;
    if (got >= 12 && std::memcmp(head.data(), "RIFF", 4) == 0 &&
        std::memcmp(head.data() + 8, "WAVE", 4) == 0)
        return Sniffed::Wave;
    return Sniffed::Other;
}

DropRoute RouteBitmap(const std::string& path) {
    auto scratch = std::make_unique<Picture>();
    return ReadBitmapFile(path, *scratch).status == BitmapStatus::Refused ? DropRoute::ImportPicture
                                                                          : DropRoute::Bitmap;
}

// Too short stays with the check: conversion would not make it longer.
DropRoute RouteWave(const std::string& path) {
    WaveNumbers scratch;
    switch (CheckWaveFile(path, scratch).status) {
        case WaveStatus::BadFormat:
        case WaveStatus::NoDataChunk:
            return DropRoute::ImportRecording;
        case WaveStatus::Accepted:
        case WaveStatus::TooShort:
        case WaveStatus::OpenFailed:
            break;
    }
    return DropRoute::Wave;
}

}  // namespace

DropRoute RouteForDrop(const std::string& path, const MediaProbe& probe, std::string& reason) {
    switch (Sniff(path)) {
        case Sniffed::Bitmap:
            return RouteBitmap(path);
        case Sniffed::Wave:
            return RouteWave(path);
        case Sniffed::Other:
            break;
    }
    switch (probe(path, reason)) {
        case MediaKind::Picture:
            return DropRoute::ImportPicture;
        case MediaKind::Recording:
            return DropRoute::ImportRecording;
        case MediaKind::None:
            break;
    }
    return DropRoute::Refused;
}

}  // namespace orvane
