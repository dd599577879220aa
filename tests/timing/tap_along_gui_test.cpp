// Timing as a person does it: a recording of clicks at known times plays
// through SDL's disk driver, which writes each buffer as it is due to be
// heard; the test watches that file and, when a click is heard, presses
// Space with a real key event. Every saved word time must be within 25 ms of
// its click, at full speed and at half speed (the saved times are song
// times), as saved with Ctrl+S and read back.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/uiaction.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
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

// Click onsets (byte offsets) in what the disk driver has written since
// `read`.
std::vector<std::uint64_t> NewOnsets(const std::string& path, std::uint64_t& read,
                                     std::uint64_t& lastLoud) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(read));
    Bytes bytes(1 << 20);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const auto got = static_cast<std::size_t>(in.gcount() / 4 * 4);
    const std::vector<std::uint64_t> onsets = ClickOnsets(bytes.data(), got, read, lastLoud);
    read += got;
    return onsets;
}

class TapAlongTest : public testing::Test {
  protected:
    void SetUp() override {
        const Bytes clicks = ClickSamples(8, kClicksMs);
        Bytes wav = MakeWav(clicks.size());
        std::copy(clicks.begin(), clicks.end(), wav.begin() + WavHeaderBytes());
        WriteFile(dir.File("clicks.wav"), wav);
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
        std::uint64_t size = 0, lastLoud = 0;
        lateMs.clear();
        const auto deadline = Clock::now() + std::chrono::seconds(35);
        while (lateMs.size() < kClicksMs.size() && Clock::now() < deadline) {
            const auto seen = Clock::now();
            for (const std::uint64_t onset : NewOnsets(dir.File("heard.raw"), size, lastLoud)) {
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
        std::vector<std::int64_t> starts;
        for (const LyricsLine& line : read.lyrics.lines)
            for (const Syllable& s : line.syllables) starts.push_back(s.startMs);
        ASSERT_EQ(starts.size(), kClicksMs.size());
        for (std::size_t i = 0; i < starts.size(); ++i)
            EXPECT_NEAR(starts[i], kClicksMs[i] + lateMs[i], 25)
                << "word " << i << ", pressed " << lateMs[i] << " ms late";
        EXPECT_FALSE(window->Session().Model().Modified());

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
