// Files named on the desktop program's command line, in the real window: they
// show in the path fields and the log as if chosen, and a run starts at once.
#include <wx/button.h>
#include <wx/stattext.h>

#include "app/command_line.h"
#include "app/import_window.h"
#include "app/start_files.h"
#include "gui/gui_helpers.h"
#include "res/resource_ids.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using StartFilesWindow = MainWindowTest;

TEST_F(StartFilesWindow, RecordingFirstThenPictureThenAnOutputWithoutExtension) {
    const std::string bitmap = dir.File("cover.bmp");
    const std::string wave = dir.File("song.wav");
    WriteFile(bitmap, MakeBmp(RandomPicture(21)));
    WriteFile(wave, MakeWav(21 * 44100 * 4));

    const StartCommand command = ParseStartCommand({wave, bitmap, dir.File("disc")});
    ASSERT_EQ(command.action, StartAction::OpenWindow);
    RunImport(dlg.get(), dlg->Selection(),
              [&](ImportFlow& flow) { TakeStartFiles(flow, dlg->Selection(), command.files); });

    const auto shown = [&](int id) {
        return std::string(dlg->PathField(id)->GetLabelText().utf8_str());
    };
    EXPECT_EQ(shown(IDC_BITMAP_PATH), bitmap);
    EXPECT_EQ(shown(IDC_WAVE_PATH), wave);
    EXPECT_EQ(shown(IDC_OUTPUT_PATH), dir.File("disc.CDG"));
    const auto log = LogLines();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].substr(13), "Valid BMP file loaded: " + bitmap);
    EXPECT_EQ(log[1].substr(13), "Valid WAVE file selected: " + wave);
    EXPECT_EQ(log[2].substr(13), "Output file selected: " + dir.File("disc.CDG"));
    EXPECT_TRUE(boxes.empty());

    ASSERT_TRUE(dlg->StartButton()->IsEnabled());
    Click(IDC_START);
    ASSERT_TRUE(PumpUntil([&] { return LastLogLine().ends_with("Completed"); }));
    EXPECT_EQ(ReadFile(dir.File("disc.CDG")).size(), 21u * 75 * 2448);
}

}  // namespace
}  // namespace orvane::test
