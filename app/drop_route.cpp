#include "app/drop_route.h"

#include <memory>

#include "app/command_line.h"
#include "input/bitmap_reader.h"
#include "input/wave_reader.h"

namespace orvane {

namespace {

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
    switch (InputKindOf(path)) {
        case InputKind::Picture:
            return RouteBitmap(path);
        case InputKind::Recording:
            return RouteWave(path);
        case InputKind::Other:
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
