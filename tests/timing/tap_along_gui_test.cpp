// Timing as a person does it: a recording of clicks at known times plays
// through SDL's disk driver, which writes each buffer as it is due to be
// heard; the test watches that file and, when a click is heard, presses
// Space with a real key event. Every saved word time must be within 25 ms of
// its click, at full speed and at half speed (the saved times are song
// times). What was saved as LRC and ASS reads back to the same times.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/uiaction.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

#include "app/lyrics/lyrics_dlg.h"
#include "app/message_box.h"
#include "key_presser.h"
#include "lyrics/lyrics_file.h"
#include "lyrics/screen_timeline.h"
#include "support/fixtures.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kBytesPerSecond = 176400;
const std::vector<std::int64_t> kClicksMs{1000, 1700, 2300, 3100, 4600, 5200, 5900, 6800};

// Silence with a short loud burst at each click, 44.1 kHz 16-bit stereo.
Bytes ClickWave(double seconds) {
    const std::size_t frames = static_cast<std::size_t>(seconds * 44100);
    Bytes wav = MakeWav(frames * 4);
    const std::size_t header = WavHeaderBytes();
    std::fill(wav.begin() + header, wav.end(), 0);
    for (const std::int64_t ms : kClicksMs) {
        const std::size_t at = static_cast<std::size_t>(ms) * 441 / 10;
        for (std::size_t k = 0; k < 220; ++k) {
            const std::int16_t v = (k / 11 % 2 ? -1 : 1) * 20000;
            for (int channel = 0; channel < 2; ++channel)
                PutLE16(wav, header + (at + k) * 4 + channel * 2, static_cast<std::uint16_t>(v));
        }
    }
    return wav;
}

// Reads what the disk driver has written so far and finds the clicks in it:
// the first loud sample after a quarter second of quiet.
class HeardFile {
  public:
    explicit HeardFile(std::string path) : path_(std::move(path)) {}
    // New click onsets (byte offsets in the file) since the last call, and
    // how far the file reaches.
    std::vector<std::uint64_t> NewOnsets(std::uint64_t& size) {
        std::ifstream in(path_, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(read_));
        std::vector<char> bytes(1 << 20);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        std::vector<std::uint64_t> onsets;
        for (std::size_t i = 0; i + 4 <= got; i += 4) {
            std::int16_t left = 0;
            std::memcpy(&left, &bytes[i], 2);
            const std::uint64_t at = read_ + i;
            if (std::abs(left) > 8000) {
                if (at - lastLoud_ > kBytesPerSecond / 4) onsets.push_back(at);
                lastLoud_ = at;
            }
        }
        read_ += got - got % 4;
        size = read_;
        return onsets;
    }

  private:
    std::string path_;
    std::uint64_t read_ = 0;
    std::uint64_t lastLoud_ = 0;
};

class TapAlongTest : public testing::Test {
  protected:
    void SetUp() override {
        WriteFile(dir.File("clicks.wav"), ClickWave(8));
        const std::string words = "one two three four\nfive six se/ven\n";
        WriteFile(dir.File("words.txt"), Bytes(words.begin(), words.end()));
        SetBoxShower([this](const BoxRequest& box) { boxes.push_back(box.text); });
        SetQuestionShower([](const BoxRequest&) { return true; });
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", dir.File("heard.raw").c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY");
    }
    void TearDown() override {
        SetBoxShower({});
        SetQuestionShower({});
        SetChooserShower({});
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }

    // Opens the window on the clicks and the words, plays at `percent` %
    // and presses Space at each click as it is heard (Enter after the last
    // word of each line); returns the window, paused.
    std::unique_ptr<LyricsDlg> TapAlong(int percent) {
        std::filesystem::remove(dir.File("heard.raw"));
        done = false;
        LyricsWindowStart start;
        start.recordingPath = dir.File("clicks.wav");
        start.lyricsPath = dir.File("words.txt");
        auto window =
            std::make_unique<LyricsDlg>(nullptr, start, [](const Lyrics&, const std::string&) {});
        window->Show();
        PumpFor(std::chrono::milliseconds(200));
        const int index = percent == 50 ? 0 : percent == 75 ? 1 : 2;
        window->SpeedChoice()->SetSelection(index);
        wxCommandEvent choose(wxEVT_CHOICE, window->SpeedChoice()->GetId());
        choose.SetEventObject(window->SpeedChoice());
        window->SpeedChoice()->GetEventHandler()->ProcessEvent(choose);
        EXPECT_EQ(window->Session().Speed(), percent);

        wxUIActionSimulator keys;
        keys.MouseMove(window->GetScreenRect().GetLeftTop() + wxPoint(60, 60));
        PumpFor(std::chrono::milliseconds(100));
        keys.Char(WXK_SPACE);  // plays
        EXPECT_TRUE(
            PumpUntil([&] { return window->Session().Playing(); }, std::chrono::seconds(5)));

        // The listener presses on its own thread; this one keeps the
        // window's events going.
        std::thread listener([&] { Listen(percent); });
        PumpUntil([&] { return done.load(); }, std::chrono::seconds(40));
        listener.join();
        EXPECT_EQ(lateMs.size(), kClicksMs.size());
        PumpFor(std::chrono::milliseconds(100));
        keys.Char('p');  // pauses
        PumpUntil([&] { return !window->Session().Playing(); }, std::chrono::seconds(2));
        return window;
    }

    // A person listening: each click in the heard file gets a Space when it
    // sounds (Enter after the last word of a line). A press the thread could
    // not make on time (a busy machine) is noted, in song milliseconds, so
    // the window is judged against when the key really went down.
    void Listen(int percent) {
        KeyPresser presser;
        EXPECT_TRUE(presser.Connected());
        HeardFile heard(dir.File("heard.raw"));
        lateMs.clear();
        const auto deadline = Clock::now() + std::chrono::seconds(35);
        while (lateMs.size() < kClicksMs.size() && Clock::now() < deadline) {
            std::uint64_t size = 0;
            const auto seen = Clock::now();
            for (const std::uint64_t onset : heard.NewOnsets(size)) {
                // The driver writes a buffer of 4,096 bytes when it starts to
                // be heard, then waits as long as it plays: the last one
                // began about now, and the click sounds as far from it as
                // it lies in the file.
                const auto offset =
                    static_cast<std::int64_t>(onset) -
                    static_cast<std::int64_t>(size - std::min<std::uint64_t>(size, 4096));
                const auto due =
                    seen + std::chrono::microseconds(offset * 1000000 / kBytesPerSecond);
                std::this_thread::sleep_until(due);
                const auto late =
                    std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - due);
                presser.Press(KeyPresser::Key::Space);
                lateMs.push_back(std::max<std::int64_t>(0, late.count()) * percent / 100000);
                if (lateMs.size() == 4 || lateMs.size() == kClicksMs.size()) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(150));
                    presser.Press(KeyPresser::Key::Enter);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        done = true;
    }

    static std::vector<std::int64_t> WordStarts(const Lyrics& lyrics) {
        std::vector<std::int64_t> starts;
        for (const LyricsLine& line : lyrics.lines)
            for (const Syllable& s : line.syllables) starts.push_back(s.startMs);
        return starts;
    }

    TempDir dir;
    std::vector<std::string> boxes;
    std::vector<std::int64_t> lateMs;  // per click, in song milliseconds
    std::atomic<bool> done{false};
};

TEST_F(TapAlongTest, SpaceAtEachHeardClickSavesItsSongTimeAtFullAndHalfSpeed) {
    for (const int percent : {100, 50}) {
        SCOPED_TRACE(std::to_string(percent) + " %");
        std::unique_ptr<LyricsDlg> window = TapAlong(percent);
        const std::string lrc = dir.File("timed" + std::to_string(percent) + ".lrc");
        SetChooserShower(
            [&](wxWindow*, bool open, const std::string&, const std::string&, const std::string&) {
                return FileChoice{!open, lrc};
            });
        wxUIActionSimulator().Char('s', wxMOD_CONTROL);
        PumpUntil([&] { return std::filesystem::exists(lrc); }, std::chrono::seconds(5));
        EXPECT_TRUE(boxes.empty()) << boxes.front();

        const LyricsReadResult read = ReadLyricsFile(lrc);
        ASSERT_TRUE(read.ok) << read.reason;
        const std::vector<std::int64_t> starts = WordStarts(read.lyrics);
        ASSERT_EQ(starts.size(), kClicksMs.size());
        for (std::size_t i = 0; i < starts.size(); ++i)
            EXPECT_NEAR(starts[i], kClicksMs[i] + lateMs[i], 25)
                << "word " << i << ", pressed " << lateMs[i] << " ms late";
        EXPECT_FALSE(window->Session().Model().Modified());

        // The same marks as ASS read back to the same times as the LRC did.
        const std::string ass = dir.File("timed.ass");
        SetChooserShower(
            [&](wxWindow*, bool, const std::string&, const std::string&, const std::string&) {
                return FileChoice{true, ass};
            });
        window->Save(true);
        const LyricsReadResult readAss = ReadLyricsFile(ass);
        ASSERT_TRUE(readAss.ok) << readAss.reason;
        const std::vector<std::int64_t> assStarts = WordStarts(readAss.lyrics);
        ASSERT_EQ(assStarts.size(), starts.size());
        for (std::size_t i = 0; i < starts.size(); ++i) EXPECT_NEAR(assStarts[i], starts[i], 10);
        // The preview is the lyrics engine's own track through the player's
        // decoder: just after the third word, its line shows sung and unsung.
        if (percent == 100) {
            TimingSession& session = window->Session();
            session.SeekMs(kClicksMs[2] + 200);
            CdgScreen screen;
            session.PreviewScreen(screen);
            session.Preview().WaitUntilIdle();
            session.PreviewScreen(screen);
            EXPECT_EQ(session.Preview().Message(), "");
            const auto count = [&screen](std::uint8_t index) {
                return std::count(screen.memory.begin(), screen.memory.end(), index);
            };
            EXPECT_GT(count(kSungIndex), 20);
            EXPECT_GT(count(kUnsungIndex), 20);
        }
        window->Destroy();
        window.release();
        PumpFor(std::chrono::milliseconds(50));
    }
}

}  // namespace
}  // namespace orvane::test
