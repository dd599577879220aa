// A converter for the window tests that need no decoder: pictures drawn from
// their options, recordings that run until stopped.
#pragma once

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/import_converter.h"
#include "support/fixtures.h"

namespace orvane::test {

// Bars of the background colour for Fit, colour 1 for Fill, colour 2 for
// Stretch; dithering mixes 1 and 2 in a checkerboard.
class FakePictureSource : public PictureSource {
  public:
    ImportOutcome Render(const PictureOptions& options, Picture& out) override {
        InitPicture(out);
        const Rgb& b = options.background;
        out.palette[0] = {std::uint8_t(b.blue & 0xF0), std::uint8_t(b.green & 0xF0),
                          std::uint8_t(b.red & 0xF0)};
        out.palette[1] = {0xFF, 0xFF, 0xFF};
        out.palette[2] = {0x00, 0x88, 0xFF};
        Picture drawn = MakePicture([&](int x, int y) {
            if (options.fit == FitMode::Fit && (y < 24 || y >= 168)) return 0;
            if (options.dither) return 1 + (x + y) % 2;
            return options.fit == FitMode::Stretch ? 2 : 1;
        });
        out.pixels = drawn.pixels;
        UpdatePreviewInfo(out);
        return ImportOutcome::Done();
    }
};

class FakeConverter : public ImportConverter {
  public:
    MediaKind Probe(const std::string& path, std::string& reason) override {
        const std::string ext = std::filesystem::path(path).extension().string();
        if (ext == ".png") return MediaKind::Picture;
        if (ext == ".mp3") return MediaKind::Recording;
        reason = "Invalid data found when processing input";
        return MediaKind::None;
    }
    std::unique_ptr<PictureSource> OpenPicture(const std::string&, std::string&) override {
        return std::make_unique<FakePictureSource>();
    }
    ImportOutcome WritePicture(const Picture& picture, const std::string& target,
                               const std::string&) override {
        WriteFile(target, MakeBmp(picture));
        return ImportOutcome::Done();
    }
    // Half-way, then waits for Stop.
    ImportOutcome ConvertRecording(const std::string&, const std::string&,
                                   ProgressSink& progress) override {
        progress.SetMessage("Decoding mp3");
        progress.SetProgress(50, 100);
        while (!progress.IsCancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return {ImportOutcome::Status::Stopped, {}};
    }
};

}  // namespace orvane::test
