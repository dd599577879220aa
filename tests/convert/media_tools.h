// Test inputs made by the real tools (ffmpeg, sox, ImageMagick) at test time,
// and the measures the picture tests compare with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoder/picture.h"
#include "encoder/progress_sink.h"

namespace orvane::test {

using Pixels = std::vector<std::uint8_t>;

// Runs a shell command with its output silenced; true when it exits with 0.
bool RunQuiet(const std::string& command);
// A command's standard output (empty when it fails).
Pixels Capture(const std::string& command);
// True when every named program is on the PATH.
bool HaveTools(const std::string& names);
// ffmpeg with the options every call wants (no questions, errors only).
std::string Ffmpeg(const std::string& args);

// 288 x 192 RGB bytes, top row first: what a player shows of `picture`
// (each palette component's high 4 bits, times 17).
Pixels ScreenRgb(const Picture& picture);
// ImageMagick's picture of `file` on `background`, resized by `geometry` and
// cut or padded about its middle to 288 x 192, as RGB bytes.
Pixels ResizedReference(const std::string& file, const std::string& geometry = "288x192!",
                        const std::string& background = "black");
// Peak signal-to-noise ratio of two equal-length 8-bit pictures, in dB.
double Psnr(const Pixels& a, const Pixels& b);

// Says stop after `polls` questions.
class StopAfter : public NullProgress {
  public:
    explicit StopAfter(int polls) : left_(polls) {}
    bool IsCancelled() const override { return left_-- <= 0; }

  private:
    mutable int left_;
};

}  // namespace orvane::test
