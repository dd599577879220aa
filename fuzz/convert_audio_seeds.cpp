// Short songs of every kind the conversion reads, made by ffmpeg at start.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

std::string Made(const std::string& args, const std::string& name) {
    return orvane::fuzz::MadeByFfmpeg("sine=d=0.2", args, name);
}

}  // namespace

std::vector<std::string> FuzzSeeds() {
    return {
        Made("-ac 2", "a.wav"),
        Made("-ar 48000 -c:a pcm_f32le", "b.wav"),
        Made("-ar 22050 -c:a pcm_s24le -ac 6", "c.wav"),
        Made("-c:a flac", "a.flac"),
        Made("-c:a libmp3lame -ac 2", "a.mp3"),
        Made("-c:a libvorbis", "a.ogg"),
        Made("-c:a libopus", "a.opus"),
        Made("-c:a aac -f adts", "a.aac"),
        Made("-c:a aac", "a.m4a"),
        Made("-c:a pcm_s16be", "a.aiff"),
        "not a song",
    };
}
