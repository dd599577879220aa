// The three browse handlers: every outcome's path, flag, boxes and log lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "input/wave_reader.h"
#include "selection/selection_fixture.h"

namespace orvane::test {
namespace {

using Events = std::vector<std::string>;

constexpr std::size_t kTwentySeconds = kMinimumAudioBytes;

const std::string kBmpChoose =
    "choose:open|Load BMP file|Bitmap files (*.BMP)|*.BMP|All Files (*.*)|*.*|BMP";
const std::string kWavChoose =
    "choose:open|Load WAV file|Wave files (*.WAV)|*.WAV|All Files (*.*)|*.*|WAV";
const std::string kCdgChoose =
    "choose:save|Save CDG file as|Output file (*.CDG)|*.CDG|All Files (*.*)|*.*|CDG";
const std::string kRefusedBmpBox =
    "error:288x192 - 256 color bitmap selected.\r\nOnly 288x192 - 16 color bitmaps!";
const std::string kFormatBox = "error:Invalid WAVE format, must be 44.1 kHz/16 bit/stereo";
const std::string kShortBox = "error:WAVE file too short (must be at least 20 sec)";

WavFields SampleRate(std::uint32_t rate) {
    WavFields fields;
    fields.sampleRate = rate;
    return fields;
}

WavFields Channels(std::uint16_t channels) {
    WavFields fields;
    fields.channels = channels;
    return fields;
}

class Selection : public SelectionFixture {
  protected:
    // Files the handlers are given.
    std::string GoodBmp(std::uint32_t seed = 1) {
        const std::string path = dir.File("good" + std::to_string(seed) + ".bmp");
        WriteFile(path, MakeBmp(RandomPicture(seed)));
        return path;
    }
    std::string EightBitBmp() {
        const std::string path = dir.File("eight.bmp");
        WriteFile(path, MakeBmp(RandomPicture(2), {.bitsPerPixel = 8}));
        return path;
    }
    std::string Wav(std::size_t audioBytes, const WavFields& fields = {}) {
        const std::string path = dir.File("song" + std::to_string(files_++) + ".wav");
        WriteFile(path, MakeWav(audioBytes, fields));
        return path;
    }
    std::string Missing() const { return dir.File("missing.bmp"); }

    // Flags that are false always go with an empty path.
    void ExpectInvariant() const {
        EXPECT_TRUE(state.bitmapValid || model.bitmapPath.empty()) << model.bitmapPath;
        EXPECT_TRUE(state.waveValid || model.wavePath.empty()) << model.wavePath;
        EXPECT_TRUE(state.outputChosen || model.outputPath.empty()) << model.outputPath;
    }

  private:
    int files_ = 0;
};

TEST_F(Selection, ChooseFileReportsConfirmationThroughFileChosen) {
    effects.Choose("/x/a.BMP");
    EXPECT_EQ(selection.ChooseFile(true, "Bitmap files", "BMP"), "/x/a.BMP");
    EXPECT_TRUE(state.fileChosen);
    // A cancel clears the flag an earlier confirmation left set.
    EXPECT_EQ(selection.ChooseFile(false, "Output file", "CDG"), "");
    EXPECT_FALSE(state.fileChosen);
    EXPECT_EQ(effects.events, (Events{kBmpChoose, kCdgChoose}));
}

TEST_F(Selection, AcceptedBitmapIsLoadedDrawnAndLogged) {
    const std::string path = GoodBmp();
    effects.Choose(path);
    selection.OnBrowseBitmap();
    EXPECT_TRUE(state.bitmapValid);
    EXPECT_EQ(model.bitmapPath, path);
    EXPECT_EQ(effects.events,
              (Events{kBmpChoose, "redraw", "log:Valid BMP file loaded: " + path, "paths"}));
    const Bytes file = ReadFile(path);
    EXPECT_TRUE(std::equal(picture.pixels.begin(), picture.pixels.end(), file.begin() + 118));
}

TEST_F(Selection, RefusedBitmapDropsAnEarlierValidOneButKeepsItsPicture) {
    const std::string good = GoodBmp();
    effects.Choose(good);
    selection.OnBrowseBitmap();
    const Picture loaded = picture;
    effects.events.clear();

    effects.Choose(EightBitBmp());
    selection.OnBrowseBitmap();
    EXPECT_FALSE(state.bitmapValid);
    EXPECT_EQ(model.bitmapPath, "");
    EXPECT_EQ(effects.events,
              (Events{kBmpChoose, kRefusedBmpBox, "log:Invalid BMP file selected", "paths"}));
    EXPECT_EQ(picture.pixels, loaded.pixels);
    EXPECT_EQ(picture.previewInfo, loaded.previewInfo);
}

TEST_F(Selection, BitmapThatCannotBeOpenedShowsTheSystemText) {
    effects.Choose(Missing());
    selection.OnBrowseBitmap();
    EXPECT_FALSE(state.bitmapValid);
    EXPECT_EQ(model.bitmapPath, "");
    EXPECT_EQ(effects.events, (Events{kBmpChoose, "warn:No such file or directory",
                                      "log:No such file or directory", "paths"}));
}

TEST_F(Selection, CancelledBitmapChooserKeepsWhatWasThere) {
    selection.OnBrowseBitmap();  // nothing chosen yet: stays empty, logs nothing
    EXPECT_FALSE(state.bitmapValid);
    EXPECT_EQ(model.bitmapPath, "");
    EXPECT_EQ(effects.events, (Events{kBmpChoose, "paths"}));

    const std::string good = GoodBmp();
    effects.Choose(good);
    selection.OnBrowseBitmap();
    const Picture loaded = picture;
    effects.events.clear();
    selection.OnBrowseBitmap();
    EXPECT_TRUE(state.bitmapValid);
    EXPECT_EQ(model.bitmapPath, good);
    EXPECT_EQ(picture.pixels, loaded.pixels);
    EXPECT_EQ(effects.events, (Events{kBmpChoose, "paths"}));
}

TEST_F(Selection, AcceptedRecordingLeavesItsNumbers) {
    const std::string path = Wav(kTwentySeconds);
    effects.Choose(path);
    selection.OnBrowseWave();
    EXPECT_TRUE(state.waveValid);
    EXPECT_EQ(model.wavePath, path);
    EXPECT_EQ(state.audioDataOffset, 44);
    EXPECT_EQ(state.waveFileLength, 44 + kMinimumAudioBytes);
    EXPECT_EQ(effects.events,
              (Events{kWavChoose, "log:Valid WAVE file selected: " + path, "paths"}));
}

TEST_F(Selection, RefusedRecordingsShowTheirBoxBeforeTheLogLine) {
    effects.Choose(Wav(kTwentySeconds));
    selection.OnBrowseWave();
    effects.events.clear();

    effects.Choose(Wav(kTwentySeconds, SampleRate(48000)));
    selection.OnBrowseWave();
    EXPECT_FALSE(state.waveValid);
    EXPECT_EQ(model.wavePath, "");
    EXPECT_EQ(effects.events,
              (Events{kWavChoose, kFormatBox, "log:Invalid WAVE file selected", "paths"}));

    effects.events.clear();
    effects.Choose(Wav(kTwentySeconds - 1));
    selection.OnBrowseWave();
    EXPECT_FALSE(state.waveValid);
    EXPECT_EQ(model.wavePath, "");
    EXPECT_EQ(state.waveFileLength, 44 + kMinimumAudioBytes - 1);
    EXPECT_EQ(effects.events,
              (Events{kWavChoose, kShortBox, "log:Invalid WAVE file selected", "paths"}));
}

TEST_F(Selection, RecordingThatCannotBeOpenedKeepsTheNumbers) {
    state.waveFileLength = 1234;
    state.audioDataOffset = 56;
    effects.Choose(Missing());
    selection.OnBrowseWave();
    EXPECT_FALSE(state.waveValid);
    EXPECT_EQ(state.waveFileLength, 1234);
    EXPECT_EQ(state.audioDataOffset, 56);
    EXPECT_EQ(effects.events, (Events{kWavChoose, "warn:No such file or directory",
                                      "log:No such file or directory", "paths"}));
}

TEST_F(Selection, CancelledWaveChooserKeepsTheRecordingAndItsNumbers) {
    const std::string path = Wav(kTwentySeconds + 10);
    effects.Choose(path);
    selection.OnBrowseWave();
    effects.events.clear();
    selection.OnBrowseWave();
    EXPECT_TRUE(state.waveValid);
    EXPECT_EQ(model.wavePath, path);
    EXPECT_EQ(state.waveFileLength, 44 + kMinimumAudioBytes + 10);
    EXPECT_EQ(effects.events, (Events{kWavChoose, "paths"}));
}

TEST_F(Selection, OutputIsNamedAndLoggedAndACancelDropsIt) {
    const std::string path = dir.File("disc.CDG");
    effects.Choose(path);
    selection.OnBrowseOutput();
    EXPECT_TRUE(state.outputChosen);
    EXPECT_EQ(model.outputPath, path);
    EXPECT_FALSE(std::filesystem::exists(path));  // named only, not created
    EXPECT_EQ(effects.events, (Events{kCdgChoose, "log:Output file selected: " + path, "paths"}));

    effects.events.clear();
    selection.OnBrowseOutput();
    EXPECT_FALSE(state.outputChosen);
    EXPECT_EQ(model.outputPath, "");
    EXPECT_EQ(effects.events, (Events{kCdgChoose, "paths"}));
}

TEST_F(Selection, EachBrowseTouchesOnlyItsOwnSelection) {
    const std::string bmp = GoodBmp();
    const std::string wav = Wav(kTwentySeconds);
    const std::string out = dir.File("o.CDG");
    effects.Choose(bmp);
    selection.OnBrowseBitmap();
    effects.Choose(wav);
    selection.OnBrowseWave();
    effects.Choose(out);
    selection.OnBrowseOutput();
    effects.Choose(Missing());
    selection.OnBrowseBitmap();
    EXPECT_FALSE(state.bitmapValid);
    EXPECT_TRUE(state.waveValid);
    EXPECT_TRUE(state.outputChosen);
    EXPECT_EQ(model.wavePath, wav);
    EXPECT_EQ(model.outputPath, out);
}

// Any mix of choices, refusals, failures and cancels keeps every false flag
// with an empty path, and every true flag with the file it was set for.
TEST_F(Selection, FalseFlagAlwaysGoesWithAnEmptyPath) {
    const std::vector<std::string> bitmaps{GoodBmp(1), GoodBmp(2), EightBitBmp(), Missing(), ""};
    const std::vector<std::string> waves{Wav(kTwentySeconds), Wav(100),
                                         Wav(kTwentySeconds, Channels(1)), Missing(), ""};
    const std::vector<std::string> outputs{dir.File("a.CDG"), ""};
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        for (int step = 0; step < 12; ++step) {
            const auto pick = [&](const std::vector<std::string>& from) {
                const std::string& path = from[random() % from.size()];
                if (path.empty()) {
                    effects.Cancel();
                } else {
                    effects.Choose(path);
                }
            };
            switch (random() % 3) {
                case 0:
                    pick(bitmaps);
                    selection.OnBrowseBitmap();
                    break;
                case 1:
                    pick(waves);
                    selection.OnBrowseWave();
                    break;
                default:
                    pick(outputs);
                    selection.OnBrowseOutput();
                    break;
            }
            ExpectInvariant();
            EXPECT_TRUE(!state.bitmapValid || model.bitmapPath.find("good") != std::string::npos);
            EXPECT_TRUE(!state.waveValid || model.wavePath == waves[0]) << model.wavePath;
        }
    }
}

}  // namespace
}  // namespace orvane::test
