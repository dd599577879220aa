// The imports in the real window: the picture dialog's preview follows its
// options and Save loads the picture; dropped files; the progress box's Stop.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/gauge.h>
#include <wx/radiobox.h>

#include "app/drop_target.h"
#include "app/import_chooser.h"
#include "app/import_picture_dlg.h"
#include "app/import_progress_dlg.h"
#include "app/import_window.h"
#include "app/preview.h"
#include "gui/gui_helpers.h"
#include "import/fake_converter.h"
#include "input/wave_reader.h"
#include "support/gui_test_support.h"

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

template <typename Dialog>
Dialog* OpenDialog() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<Dialog*>(window); dialog && dialog->IsModal())
            return dialog;
    return nullptr;
}

// Runs `user` once the modal dialog of type Dialog is up, then makes sure it
// has ended so that a failed test cannot hang.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog&)> user) {
    wxTheApp->CallAfter([user] {
        Dialog* dialog = nullptr;
        PumpUntil([&] { return (dialog = OpenDialog<Dialog>()) != nullptr; }, 10s);
        ASSERT_NE(dialog, nullptr);
        user(*dialog);
        if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
    });
}

class ImportWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetImportChooserShower([this](wxWindow*, const ChooserRequest& request) {
            requests.push_back(request);
            if (answers.empty()) return FileChoice{};
            FileChoice next{true, answers.front()};
            answers.erase(answers.begin());
            return next;
        });
        SetImportConverterFactory([] { return std::make_unique<FakeConverter>(); });
    }
    void TearDown() override {
        SetImportChooserShower({});
        SetImportConverterFactory({});
        MainWindowTest::TearDown();
    }
    void Drop(const std::vector<std::string>& paths) {
        wxArrayString names;
        for (const std::string& path : paths) names.Add(wxString::FromUTF8(path));
        auto* target = dynamic_cast<FileDropTarget*>(dlg->GetDropTarget());
        ASSERT_NE(target, nullptr);
        EXPECT_TRUE(target->OnDropFiles(10, 10, names));
    }

    std::vector<ChooserRequest> requests;
    std::vector<std::string> answers;
};

template <typename Event>
void Send(wxWindow* control, Event event) {
    event.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(event);
}

TEST_F(ImportWindowTest, PicturePreviewFollowsTheOptionsAndSaveLoadsItInTheWindow) {
    const std::string photo = dir.File("photo.png");
    WriteFile(photo, {'x'});
    const std::string target = dir.File("photo.bmp");
    answers = {photo, target};
    Picture saved;
    WhenOpen<ImportPictureDlg>([&](ImportPictureDlg& d) {
        const Picture fit = d.Shown();
        PumpFor(100ms);
        EXPECT_EQ(GrabScreen(d.Preview()).GetData()[0], 0);  // black bars
        const wxImage expected = PictureImage(fit);
        const wxImage grabbed = GrabScreen(d.Preview());
        EXPECT_TRUE(
            std::equal(expected.GetData(), expected.GetData() + 288 * 192 * 3, grabbed.GetData()));
        d.ShapeChoice()->SetSelection(2);
        Send(d.ShapeChoice(), wxCommandEvent(wxEVT_RADIOBOX, d.ShapeChoice()->GetId()));
        d.DitherBox()->SetValue(false);
        Send(d.DitherBox(), wxCommandEvent(wxEVT_CHECKBOX, d.DitherBox()->GetId()));
        EXPECT_EQ(PixelAt(d.Shown(), 0, 0), 2);
        d.BackgroundPicker()->SetColour(wxColour(0x12, 0x34, 0x56));
        Send(d.BackgroundPicker(),
             wxColourPickerEvent(d.BackgroundPicker(), d.BackgroundPicker()->GetId(),
                                 wxColour(0x12, 0x34, 0x56)));
        EXPECT_EQ(d.Options().background, (Rgb{0x12, 0x34, 0x56}));
        PumpFor(100ms);
        wxImage shown = GrabScreen(d.Preview());
        EXPECT_EQ(shown.GetRed(0, 0), 0xFF);  // stretched, not dithered: colour 2
        EXPECT_EQ(shown.GetGreen(0, 0), 0x88);
        saved = d.Shown();
        Send(d.SaveButton(), wxCommandEvent(wxEVT_BUTTON, wxID_SAVE));
        EXPECT_FALSE(d.IsModal());
    });
    dlg->OnImportPicture();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].startPath, target);
    EXPECT_EQ(dlg->Model().bitmapPath, target);
    EXPECT_TRUE(state.bitmapValid);
    EXPECT_EQ(picture.pixels, saved.pixels);
    EXPECT_EQ(LastLogLine().find("photo.bmp") != std::string::npos, true) << LastLogLine();
    PumpFor(100ms);
    EXPECT_TRUE(GrabScreen(dlg->Preview()).IsOk());
    EXPECT_EQ(GrabScreen(dlg->Preview()).GetGreen(0, 0), 0x88);
}

TEST_F(ImportWindowTest, DroppedFilesAreCheckedOrImportedEachInTurnAfterTheDrop) {
    const std::string bmp = dir.File("good.bmp");
    WriteFile(bmp, MakeBmp(RandomPicture(3)));
    const std::string wave = dir.File("song.wav");
    WriteFile(wave, MakeWav(kMinimumAudioBytes));
    const std::string text = dir.File("notes.txt");
    WriteFile(text, {'x'});
    Drop({bmp, text, wave});
    EXPECT_TRUE(dlg->Model().bitmapPath.empty());  // nothing until the drop has ended
    ASSERT_TRUE(PumpUntil([&] { return !dlg->Model().wavePath.empty(); }, 10s));
    EXPECT_EQ(dlg->Model().bitmapPath, bmp);
    EXPECT_TRUE(state.bitmapValid && state.waveValid);
    EXPECT_EQ(boxes, std::vector<std::string>{"Cannot import " + text +
                                              ":\nInvalid data found when processing input"});
    EXPECT_TRUE(requests.empty());
}

TEST_F(ImportWindowTest, RecordingProgressShowsAndStopLeavesTheWindowAsItWas) {
    const std::string song = dir.File("song.mp3");
    WriteFile(song, {'x'});
    answers = {song, dir.File("song.wav")};
    WhenOpen<ImportProgressDlg>([&](ImportProgressDlg& d) {
        EXPECT_TRUE(PumpUntil([&] { return d.Bar()->GetValue() == 50; }, 10s));
        Send(d.StopButton(), wxCommandEvent(wxEVT_BUTTON, wxID_CANCEL));
        EXPECT_FALSE(d.StopButton()->IsEnabled());
        EXPECT_TRUE(PumpUntil([&] { return !d.IsModal(); }, 10s));
    });
    dlg->OnImportRecording();
    EXPECT_EQ(requests.size(), 2u);
    EXPECT_TRUE(dlg->Model().wavePath.empty());
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace orvane::test
