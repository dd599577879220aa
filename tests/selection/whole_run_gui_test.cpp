// A whole run as a user makes it: the three browse buttons, Start, and the
// image compared with what orvane-cli writes for the same files. A picture
// chosen during a run changes only the next run.
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <cstdlib>
#include <deque>

#include "app/message_box.h"
#include "gui/gui_helpers.h"
#include "res/resource_ids.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

class WholeRun : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetChooserShower([this](wxWindow* owner, bool, const std::string& title, const std::string&,
                                const std::string&) {
            EXPECT_EQ(owner, dlg.get()) << "the chooser stays above the main window";
            titles.push_back(title);
            if (paths.empty()) return FileChoice{};
            FileChoice choice{true, paths.front()};
            paths.pop_front();
            return choice;
        });
    }

    void Browse(int button, const std::string& path) {
        paths.push_back(path);
        Click(button);
    }

    std::string Shown(int field) const {
        return std::string(dlg->PathField(field)->GetLabelText().utf8_str());
    }

    bool Completed() const {
        const std::string line = LastLogLine();
        return line.size() >= 9 && line.substr(line.size() - 9) == "Completed";
    }

    // What the command line writes for the same picture and recording.
    Bytes CliImage(const std::string& bitmap, const std::string& wave, const std::string& name) {
        const std::string output = dir.File(name);
        const std::string command = std::string(ORVANE_CLI) + " --quiet '" + bitmap + "' '" + wave +
                                    "' '" + output + "' </dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadFile(output);
    }

    std::deque<std::string> paths;
    std::vector<std::string> titles;
};

TEST_F(WholeRun, BrowseStartAndCompareWithTheCommandLine) {
    const Picture first = RandomPicture(11);
    const Picture second = RandomPicture(12);
    const std::string bitmap = dir.File("first.bmp");
    const std::string later = dir.File("second.bmp");
    const std::string wave = dir.File("song.wav");
    WriteFile(bitmap, MakeBmp(first));
    WriteFile(later, MakeBmp(second));
    // 30 s and a part sector, so the last sector is a short one.
    WriteFile(wave, MakeWav(30 * 44100 * 4 + 1000));

    Browse(IDC_BROWSE_BITMAP, bitmap);
    Browse(IDC_BROWSE_WAVE, wave);
    Browse(IDC_BROWSE_OUTPUT, dir.File("run1.CDG"));
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Load BMP file", "Load WAV file", "Save CDG file as"}));
    EXPECT_EQ(Shown(IDC_BITMAP_PATH), bitmap);
    EXPECT_EQ(Shown(IDC_WAVE_PATH), wave);
    EXPECT_EQ(Shown(IDC_OUTPUT_PATH), dir.File("run1.CDG"));
    const std::vector<std::string> log = LogLines();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].substr(13), "Valid BMP file loaded: " + bitmap);
    EXPECT_EQ(log[1].substr(13), "Valid WAVE file selected: " + wave);
    EXPECT_EQ(log[2].substr(13), "Output file selected: " + dir.File("run1.CDG"));

    // The preview shows the chosen picture, every pixel of it.
    PumpFor(std::chrono::milliseconds(100));
    const wxImage shown = GrabScreen(dlg->Preview());
    ASSERT_EQ(shown.GetSize(), wxSize(kPictureWidth, kPictureHeight));
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const PaletteEntry& colour = first.palette[PixelAt(first, x, y)];
            ASSERT_EQ(shown.GetRed(x, y), colour.red) << x << "," << y;
            ASSERT_EQ(shown.GetGreen(x, y), colour.green) << x << "," << y;
            ASSERT_EQ(shown.GetBlue(x, y), colour.blue) << x << "," << y;
        }
    }

    // During the run the user picks another picture and output: the run
    // goes on with what it started with.
    Click(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return dlg->ProgressBar()->GetValue() >= 10 || Completed(); }));
    // The job waits in each of its sends, so it is still mid-run here.
    ASSERT_FALSE(Completed());
    Browse(IDC_BROWSE_BITMAP, later);
    Browse(IDC_BROWSE_OUTPUT, dir.File("run2.CDG"));
    ASSERT_TRUE(PumpUntil([&] { return Completed(); }));
    EXPECT_EQ(boxes, std::vector<std::string>{"CD+G file successfully created!"});
    EXPECT_EQ(ReadFile(dir.File("run1.CDG")), CliImage(bitmap, wave, "cli1.cdg"));

    ASSERT_TRUE(PumpUntil([&] { return dlg->StartButton()->IsEnabled(); }));
    Click(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return Completed() && boxes.size() == 2; }));
    EXPECT_EQ(ReadFile(dir.File("run2.CDG")), CliImage(later, wave, "cli2.cdg"));
    EXPECT_NE(ReadFile(dir.File("run1.CDG")), ReadFile(dir.File("run2.CDG")));
}

}  // namespace
}  // namespace orvane::test
