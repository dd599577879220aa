// Small pictures of every kind the conversion reads, made by ffmpeg at start.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"

namespace {

std::string Made(const std::string& args, const std::string& name) {
    return orvane::fuzz::MadeByFfmpeg("testsrc=s=40x30:d=1", args + " -frames:v 1", name);
}

// The EXIF block of a camera that stored the picture turned (orientation 6).
std::string WithOrientation(std::string jpeg) {
    const char exif[] =
        "\xFF\xE1\x00\x22"
        "Exif\0\0"
        "II*\0\x08\0\0\0"
        "\x01\0"
        "\x12\x01\x03\0\x01\0\0\0\x06\0\0\0"
        "\0\0\0\0";
    if (jpeg.size() > 2) jpeg.insert(2, exif, sizeof exif - 1);
    return jpeg;
}

}  // namespace

std::vector<std::string> FuzzSeeds() {
    std::vector<std::string> seeds = {
        Made("-pix_fmt rgb24", "a.png"),
        Made("-vf format=rgba,colorchannelmixer=aa=0.5", "b.png"),
        Made("-pix_fmt pal8", "c.png"),
        Made("", "a.jpg"),
        Made("-pix_fmt gray", "b.jpg"),
        Made("-c:v libwebp", "a.webp"),
        Made("-c:v libwebp -lossless 1", "b.webp"),
        Made("", "a.gif"),
        Made("", "a.tif"),
        Made("-pix_fmt rgb48le", "b.tif"),
        Made("", "a.bmp"),
        Made("-pix_fmt pal8", "b.bmp"),
        Made("-pix_fmt monow", "c.bmp"),
    };
    seeds.push_back(WithOrientation(Made("", "c.jpg")));
    seeds.push_back("not a picture");
    return seeds;
}
