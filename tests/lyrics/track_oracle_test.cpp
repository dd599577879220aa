// The lyrics track as a singer sees it, judged by ffmpeg's CD+G decoder and
// the tesseract OCR engine: a 4-minute song over a busy picture, made by
// orvane-cli --lyrics from LRC, enhanced LRC and ASS (\k and \kf) files, its
// .cdg exported and decoded in one ffmpeg pass at the moments that matter.
// Legible: each line read from the screen at its first word. On time: no
// letter sung 0.1 s early, nearly all sung 0.15 s after the word. Ahead: the
// line whole 1 s before it is sung. The picture stays outside the lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "convert/media_tools.h"
#include "input/bitmap_reader.h"
#include "lyrics/lyrics_file.h"
#include "lyrics/timeline_builder.h"
#include "tests/lyrics/lyrics_song.h"
#include "support/fixtures.h"

namespace orvane::test {
namespace {

constexpr int kW = 300, kH = 216;  // ffmpeg's frame: the memory, border included
constexpr std::size_t kFrameBytes = std::size_t{kW} * kH + 1024;  // pal8: indices, then the palette
constexpr int kScale = 4;  // the line's area, scaled up for the OCR engine

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // screen pixels, right/bottom excluded
};

// Screens at chosen times, decoded by ffmpeg from the .cdg in one pass: it
// gives a frame per graphics packet, so the screen at time t is the frame of
// the last graphics packet of t's sector. Frames come as palette indices with
// the palette, a third of RGB's bytes; only those asked for are kept.
class Screens {
  public:
    Screens(const std::string& cdg, const std::vector<std::int64_t>& timesMs) {
        const Bytes stream = ReadFile(cdg);
        std::vector<std::int64_t> packetsBySector;  // graphics packets up to each sector's end
        std::int64_t count = 0;
        for (std::size_t at = 0; at + 24 <= stream.size(); at += 24) {
            if ((stream[at] & 0x3F) == 9) ++count;
            if ((at / 24) % 4 == 3) packetsBySector.push_back(count);
        }
        for (std::int64_t ms : timesMs) {
            const auto sector = std::clamp<std::int64_t>(
                ms * 75 / 1000, 0, static_cast<std::int64_t>(packetsBySector.size()) - 1);
            frameAt_[ms] = packetsBySector[static_cast<std::size_t>(sector)] - 1;
            frames_[frameAt_[ms]];
        }
        FILE* pipe = popen(
            Ffmpeg("-f cdg -i '" + cdg + "' -fps_mode passthrough -f rawvideo -pix_fmt pal8 -")
                .c_str(),
            "r");
        Bytes frame(kFrameBytes);
        std::int64_t n = 0;
        for (; pipe && std::fread(frame.data(), 1, frame.size(), pipe) == frame.size(); ++n) {
            if (auto kept = frames_.find(n); kept != frames_.end()) kept->second = frame;
        }
        if (pipe) pclose(pipe);
        EXPECT_EQ(n, count) << "ffmpeg's frames, one per graphics packet";
    }

    // Palette index of pixel (x, y) of the 288 x 192 screen at a time asked
    // for; a screen before any graphics packet is black, index 0.
    int Index(std::int64_t ms, int x, int y) const {
        const Bytes& frame = frames_.at(frameAt_.at(ms));
        return frame.empty() ? 0 : frame[static_cast<std::size_t>(y + 12) * kW + x + 6];
    }
    Rgb At(std::int64_t ms, int x, int y) const {
        return Entry(frames_.at(frameAt_.at(ms)), Index(ms, x, y));
    }
    // Entry `index` of the palette the last frame shows.
    Rgb Colour(int index) const { return Entry(std::prev(frames_.end())->second, index); }

  private:
    // The palette follows the indices: 32-bit ARGB in native (little-endian) order.
    static Rgb Entry(const Bytes& frame, int index) {
        const std::size_t at = std::size_t{kW} * kH + 4 * static_cast<std::size_t>(index);
        return frame.empty() ? Rgb{} : Rgb{frame[at + 2], frame[at + 1], frame[at]};
    }
    std::map<std::int64_t, std::int64_t> frameAt_;  // time asked for -> frame
    std::map<std::int64_t, Bytes> frames_;          // frame -> its bytes (-1: none yet)
};

struct OcrWord {
    std::string text;  // lower case, letters and digits only
    Box box;
};

std::string Plain(std::string word) {
    std::erase_if(word, [](unsigned char c) { return !std::isalnum(c); });
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

constexpr int kUnsung = 12, kSung = 13;  // the lyrics' palette entries

bool IsLetter(const Screens& s, std::int64_t ms, int x, int y) {
    const int index = s.Index(ms, x, y);
    return index == kUnsung || index == kSung;
}

// Each line's area at its first word, letters black on white, stacked into
// one page, scaled up smoothly by ImageMagick and read by tesseract in one
// run. Words come back per line, in reading order, with their screen boxes.
std::vector<std::vector<OcrWord>> ReadLines(const Screens& s, const std::vector<Box>& boxes,
                                            const std::vector<std::int64_t>& at,
                                            const TempDir& dir) {
    constexpr int kPad = 6;
    int width = 0, height = kPad;
    std::vector<int> tops;
    for (const Box& b : boxes) {
        width = std::max(width, b.right - b.left + 2 * kPad);
        tops.push_back(height);
        height += b.bottom - b.top + 2 * kPad;
    }
    Bytes page(static_cast<std::size_t>(width) * height, 255);
    for (std::size_t l = 0; l < boxes.size(); ++l) {
        const Box& b = boxes[l];
        for (int y = b.top; y < b.bottom; ++y) {
            for (int x = b.left; x < b.right; ++x) {
                if (IsLetter(s, at[l], x, y)) {
                    page[static_cast<std::size_t>(tops[l] + y - b.top) * width + kPad + x -
                         b.left] = 0;
                }
            }
        }
    }
    const std::string pgm = dir.File("page.pgm"), png = dir.File("page.png");
    std::ofstream(pgm, std::ios::binary) << "P5\n"
                                         << width << ' ' << height << "\n255\n"
                                         << std::string(page.begin(), page.end());
    const Pixels tsv =
        Capture("convert '" + pgm + "' -resize " + std::to_string(kScale * 100) + "% '" + png +
                "' && tesseract '" + png + "' stdout --psm 6 tsv 2>/dev/null");
    std::vector<std::vector<OcrWord>> lines(boxes.size());
    std::istringstream rows(std::string(tsv.begin(), tsv.end()));
    for (std::string row; std::getline(rows, row);) {
        std::vector<std::string> f;
        std::istringstream fields(row);
        for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
        if (f.size() < 12 || f[0] != "5" || Plain(f[11]).empty()) continue;
        const int left = std::stoi(f[6]) / kScale, top = std::stoi(f[7]) / kScale;
        const int right = (std::stoi(f[6]) + std::stoi(f[8])) / kScale;
        const int bottom = (std::stoi(f[7]) + std::stoi(f[9])) / kScale;
        const auto l = static_cast<std::size_t>(
            std::upper_bound(tops.begin(), tops.end(), (top + bottom) / 2) - tops.begin() - 1);
        const Box& b = boxes[l];
        const int dx = b.left - kPad, dy = b.top - tops[l];
        lines[l].push_back({Plain(f[11]), {left + dx, top + dy, right + dx + 1, bottom + dy + 1}});
    }
    return lines;
}

// Pairs of (expected word, OCR word) in order: a longest common subsequence
// of the texts, or every word by position when the OCR engine found as many
// words as were sung (a misread word still has the right box).
std::vector<std::pair<std::size_t, std::size_t>> Match(const SongLine& line,
                                                       const std::vector<OcrWord>& read,
                                                       bool byPosition) {
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    const std::size_t n = line.words.size(), m = read.size();
    if (byPosition && n == m) {
        for (std::size_t i = 0; i < n; ++i) pairs.emplace_back(i, i);
        return pairs;
    }
    std::vector<std::vector<int>> lcs(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            lcs[i][j] = Plain(line.words[i].text) == read[j].text
                            ? lcs[i + 1][j + 1] + 1
                            : std::max(lcs[i + 1][j], lcs[i][j + 1]);
        }
    }
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (Plain(line.words[i].text) == read[j].text) {
            pairs.emplace_back(i++, j++);
        } else if (lcs[i + 1][j] >= lcs[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    return pairs;
}

struct Format {
    const char* name;
    const char* file;
    std::string (*write)(const std::vector<SongLine>&);
    bool wordTimes;  // the file times each word (plain LRC leaves it to the reader)
};

class TrackOracle : public ::testing::TestWithParam<Format> {
  protected:
    static void SetUpTestSuite() {
        if (!HaveTools("ffmpeg convert tesseract")) return;
        dir_ = new TempDir;
        // A busy, photo-like picture in 12 colours, and 4 minutes of sound.
        RunQuiet("convert -seed 7 -size 288x192 plasma:fractal +dither -colors 12 '" +
                 dir_->File("plasma.png") + "'");
        RunQuiet(std::string(ORVANE_CLI_PATH) + " prepare-picture '" + dir_->File("plasma.png") +
                 "' '" + dir_->File("picture.bmp") + "'");
        RunQuiet(
            Ffmpeg("-f lavfi -i 'sine=frequency=220:duration=240' -f lavfi -i "
                   "'sine=frequency=330:duration=240' -filter_complex amerge -ac 2 -ar "
                   "44100 -c:a pcm_s16le '" +
                   dir_->File("song.wav") + "'"));
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static TempDir* dir_;
};
TempDir* TrackOracle::dir_ = nullptr;

TEST_P(TrackOracle, LegibleOnTimeAheadOverThePicture) {
    if (dir_ == nullptr) GTEST_SKIP() << "needs ffmpeg, ImageMagick and tesseract";
    const Format& format = GetParam();
    const std::vector<SongLine> song = SongLines();
    const std::string lyricsFile = dir_->File(format.file), image = dir_->File("song.bin");
    const std::string cdg = dir_->File("song.cdg"), cli = ORVANE_CLI_PATH;
    std::ofstream(lyricsFile, std::ios::binary) << format.write(song);
    const Pixels log = Capture("(" + cli + " --force --lyrics '" + lyricsFile + "' '" +
                               dir_->File("picture.bmp") + "' '" + dir_->File("song.wav") + "' '" +
                               image + "') 2>&1; true");  // its output, whatever its status
    const std::string logText(log.begin(), log.end());
    ASSERT_NE(logText.find("Completed"), std::string::npos) << logText;
    const auto lateness = logText.find("Lyrics: ");
    ASSERT_NE(lateness, std::string::npos) << logText;
    ASSERT_TRUE(RunQuiet(cli + " export --force '" + image + "' --cdg '" + cdg + "'"));
    std::remove(image.c_str());

    // Where the layout put each line (its claim; the screens are the judge).
    Picture picture{};
    ASSERT_EQ(ReadBitmapFile(dir_->File("picture.bmp"), picture).status, BitmapStatus::Accepted);
    const LyricsReadResult lyrics = ReadLyricsFile(lyricsFile);
    ASSERT_TRUE(lyrics.ok) << lyrics.reason;
    const ScreenTimelineResult layout = BuildScreenTimeline(picture, lyrics.lyrics, {}, 240 * 75);
    ASSERT_TRUE(layout.ok) << layout.message;
    ASSERT_EQ(layout.timeline.lines.size(), song.size());
    std::vector<Box> boxes;
    for (const TimelineLine& l : layout.timeline.lines)
        boxes.push_back({l.left, l.top, l.right, l.bottom});

    std::vector<std::int64_t> times, firstWords;
    for (const SongLine& line : song) {
        firstWords.push_back(line.FirstMs());
        for (std::int64_t t : {line.FirstMs(), line.FirstMs() - 100, line.FirstMs() - 1000})
            times.push_back(t);
        for (const SongWord& w : line.words) {
            times.push_back(w.startMs - 100);
            times.push_back(w.endMs + 150);
        }
    }
    const Screens screens(cdg, times);
    for (int k = 0; k < 12; ++k) {  // the letters' colours are theirs alone
        ASSERT_NE(screens.Colour(k), screens.Colour(kUnsung)) << k;
        ASSERT_NE(screens.Colour(k), screens.Colour(kSung)) << k;
    }
    const std::vector<std::vector<OcrWord>> read = ReadLines(screens, boxes, firstWords, *dir_);

    int wordsRight = 0, wordsOnTime = 0, wordsTotal = 0, linesAhead = 0;
    std::string notAhead;
    for (std::size_t l = 0; l < song.size(); ++l) {
        const SongLine& line = song[l];
        const auto right = Match(line, read[l], false).size();
        wordsRight += static_cast<int>(right);
        wordsTotal += static_cast<int>(line.words.size());
        std::string seen;
        for (const OcrWord& w : read[l]) seen += " " + w.text;
        EXPECT_GE(right * 10, line.words.size() * 9) << "line " << l << " read as" << seen;
        // Ahead: the letters shown just before the line is sung were there 1 s before.
        int letters = 0, early = 0;
        for (int y = boxes[l].top; y < boxes[l].bottom; ++y) {
            for (int x = boxes[l].left; x < boxes[l].right; ++x) {
                if (screens.Index(line.FirstMs() - 100, x, y) != kUnsung) continue;
                ++letters;
                early += screens.Index(line.FirstMs() - 1000, x, y) == kUnsung;
            }
        }
        const bool ahead = letters > 0 && early * 50 >= letters * 49;
        linesAhead += ahead;
        if (!ahead) notAhead += " " + std::to_string(l);
        if (!format.wordTimes) continue;
        for (const auto& [w, r] : Match(line, read[l], true)) {
            const SongWord& word = line.words[w];
            const Box& b = read[l][r].box;
            int pixels = 0, sungEarly = 0, sungAfter = 0;
            for (int y = b.top; y < b.bottom; ++y) {
                for (int x = b.left; x < b.right; ++x) {
                    if (!IsLetter(screens, line.FirstMs(), x, y)) continue;
                    ++pixels;
                    sungEarly += screens.Index(word.startMs - 100, x, y) == kSung;
                    sungAfter += screens.Index(word.endMs + 150, x, y) == kSung;
                }
            }
            wordsOnTime += pixels > 0 && sungEarly == 0 && sungAfter * 10 >= pixels * 9;
        }
    }
    std::printf("%s: %d/%d words read, %d on time, %d/%zu lines ahead (not:%s); %s\n", format.name,
                wordsRight, wordsTotal, wordsOnTime, linesAhead, song.size(), notAhead.c_str(),
                logText.substr(lateness, logText.find('\n', lateness) - lateness).c_str());
    if (format.wordTimes) {
        EXPECT_GE(wordsOnTime * 50, wordsTotal * 49);
    }
    EXPECT_GE(linesAhead * 20, static_cast<int>(song.size()) * 19) << "not ahead:" << notAhead;

    // The picture stays: outside every line's box (its outline included,
    // and a pixel more), once a line is sung the screen is the picture.
    const Pixels reference = ScreenRgb(picture);
    const auto nearLine = [&](int x, int y) {
        return std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) {
            return x >= b.left - 1 && x <= b.right && y >= b.top - 1 && y <= b.bottom;
        });
    };
    for (std::size_t l = 0; l < song.size(); ++l) {
        if (song[l].afterBreak) continue;  // a countdown may stand before it
        int changed = 0;
        for (std::size_t i = 0; i < 288 * 192; ++i) {
            const int x = static_cast<int>(i % 288), y = static_cast<int>(i / 288);
            const Rgb want{reference[3 * i], reference[3 * i + 1], reference[3 * i + 2]};
            changed += !nearLine(x, y) && screens.At(song[l].FirstMs(), x, y) != want;
        }
        EXPECT_EQ(changed, 0) << "pixels off the picture at line " << l << "'s first word";
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, TrackOracle,
                         ::testing::Values(Format{"AssKaraoke", "song.ass", AsAss, true},
                                           Format{"EnhancedLrc", "song.lrc", AsEnhancedLrc, true},
                                           Format{"PlainLrc", "plain.lrc", AsPlainLrc, false}),
                         [](const ::testing::TestParamInfo<Format>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace orvane::test
