// An OCR engine judges the lines: tesseract reads each line of the test
// song from the painted screen (the line's box, scaled up) just before its
// first word, over a busy photo-like picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "lyrics/lyrics_renderer.h"
#include "lyrics/timeline_builder.h"
#include "player/png_writer.h"
#include "tests/convert/media_tools.h"
#include "tests/lyrics/lyrics_song.h"
#include "tests/support/fixtures.h"

namespace orvane {
namespace {

constexpr int kScale = 4;
// Around the box: tesseract reads letters that touch the edge poorly.
constexpr int kMargin = 0;

// The box of the RGB screen, each pixel kScale x kScale.
std::vector<std::uint8_t> Enlarged(const std::vector<std::uint8_t>& rgb, const TimelineLine& box) {
    std::vector<std::uint8_t> out;
    for (int y = box.top * kScale; y < box.bottom * kScale; ++y)
        for (int x = box.left * kScale; x < box.right * kScale; ++x) {
            const std::size_t at =
                (static_cast<std::size_t>(y / kScale) * kPictureWidth + x / kScale) * 3;
            out.insert(out.end(), rgb.begin() + at, rgb.begin() + at + 3);
        }
    return out;
}

// Lower-case runs of letters: tesseract glues punctuation it imagines.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

TEST(LyricsOcr, TesseractReadsEachLineBeforeItIsSung) {
    if (!test::HaveTools("tesseract")) GTEST_SKIP() << "tesseract missing";
    const Lyrics lyrics = test::TestSong();
    const ScreenTimelineResult result =
        BuildScreenTimeline(test::PhotoPicture(), lyrics, {}, 240 * 75);
    ASSERT_TRUE(result.ok) << result.message;
    const ScreenTimeline& timeline = result.timeline;
    test::TempDir dir;
    std::size_t words = 0, read = 0;
    std::string misread;
    for (std::size_t i = 0; i < lyrics.lines.size(); ++i) {
        TimelineLine box = timeline.lines[i];
        box.left = std::max(0, box.left - kMargin);
        box.top = std::max(0, box.top - kMargin);
        box.right = std::min(kPictureWidth, box.right + kMargin);
        box.bottom = std::min(kPictureHeight, box.bottom + kMargin);
        const std::vector<std::uint8_t> rgb = test::ToRgb(
            test::ScreenAt(timeline, SectorAt(box.firstWordMs) - 2), timeline.picture.palette);
        const std::string png = dir.File("line" + std::to_string(i) + ".png");
        const std::vector<std::uint8_t> enlarged = Enlarged(rgb, box);
        ASSERT_FALSE(WritePng(png, enlarged.data(), (box.right - box.left) * kScale,
                              (box.bottom - box.top) * kScale));
        const test::Pixels out = test::Capture("tesseract " + png + " stdout --psm 6 2>/dev/null");
        std::vector<std::string> seen = Words(std::string(out.begin(), out.end()));
        std::string sung;
        for (const Syllable& s : lyrics.lines[i].syllables) sung += s.text;
        const std::vector<std::string> expected = Words(sung);
        std::size_t right = 0;
        for (const std::string& word : expected) {
            const auto found = std::find(seen.begin(), seen.end(), word);
            if (found == seen.end()) continue;
            ++right;
            seen.erase(found);
        }
        words += expected.size();
        read += right;
        if (right < expected.size())
            misread += "line " + std::to_string(i) + ": \"" + sung + "\" read as \"" +
                       std::string(out.begin(), out.end()) + "\"\n";
    }
    // Tesseract reads about nine words in ten of this song (it guesses at
    // bold letters 10 pixels high over dithered colour); far fewer means
    // letters drawn wrong, not a harder picture.
    EXPECT_GE(read * 100, words * 85) << read << " of " << words << " words read\n" << misread;
}

}  // namespace
}  // namespace orvane
