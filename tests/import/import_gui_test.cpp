// The imports in the real window: the picture dialog's preview follows its
// options and Save loads the picture; dropped files; the progress box's Stop.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clrpicker.h>
#include <wx/gauge.h>
#include <wx/radiobox.h>
#include <wx/timer.h>

#include "app/drop_target.h"
#include "app/import_chooser.h"
#include "app/import_picture_dlg.h"
#include "app/import_progress_dlg.h"
#include "app/import_window.h"
#include "app/preview.h"
#include "convert/media_tools.h"
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
// has ended so that a failed test cannot hang. A timer looks for it, so that
// another box before it (a picture being read) runs and ends as usual.
template <typename Dialog>
void WhenOpen(std::function<void(Dialog&)> user) {
    auto* timer = new wxTimer;
    timer->Bind(wxEVT_TIMER, [timer, user](wxTimerEvent&) {
        Dialog* dialog = OpenDialog<Dialog>();
        if (!dialog || !timer->IsRunning()) return;
        timer->Stop();
        user(*dialog);
        if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
        // Not before: the timer holds `user`.
        wxTheApp->CallAfter([timer] { delete timer; });
    });
    timer->Start(10);
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
    // What the preview shows at (x, y), as the screen has it.
    static wxColour ShownAt(wxWindow* preview, int x, int y) {
        const wxImage image = GrabScreen(preview);
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

    std::vector<ChooserRequest> requests;
    std::vector<std::string> answers;
};

template <typename Event>
void Send(wxWindow* control, Event event) {
    event.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(event);
}

void ChooseShape(ImportPictureDlg& d, FitMode fit) {
    d.ShapeChoice()->SetSelection(static_cast<int>(fit));
    Send(d.ShapeChoice(), wxCommandEvent(wxEVT_RADIOBOX, d.ShapeChoice()->GetId()));
}

// A 2:1 gradient: fitted, it has bars above and below; its shades need dithering.
TEST_F(ImportWindowTest, PicturePreviewFollowsTheOptionsAndSaveLoadsItInTheWindow) {
    const std::string photo = dir.File("photo.png");
    ASSERT_TRUE(RunQuiet("convert -size 600x300 gradient:yellow-navy " + photo));
    const std::string target = dir.File("photo.bmp");
    answers = {photo, target};
    Picture saved;
    WhenOpen<ImportPictureDlg>([&](ImportPictureDlg& d) {
        PumpFor(100ms);
        const Picture dithered = d.Shown();
        const wxImage expected = PictureImage(dithered);
        const wxImage grabbed = GrabScreen(d.Preview());
        EXPECT_TRUE(
            std::equal(expected.GetData(), expected.GetData() + 288 * 192 * 3, grabbed.GetData()));
        EXPECT_EQ(ShownAt(d.Preview(), 0, 0), *wxBLACK);  // the bar
        EXPECT_NE(ShownAt(d.Preview(), 0, 100), *wxBLACK);

        const wxColour blue(0x12, 0x34, 0x56);
        d.BackgroundPicker()->SetColour(blue);
        Send(d.BackgroundPicker(),
             wxColourPickerEvent(d.BackgroundPicker(), d.BackgroundPicker()->GetId(), blue));
        PumpFor(100ms);
        EXPECT_EQ(ShownAt(d.Preview(), 0, 0), wxColour(0x11, 0x33, 0x55));  // as a player shows it
        d.DitherBox()->SetValue(false);
        Send(d.DitherBox(), wxCommandEvent(wxEVT_CHECKBOX, d.DitherBox()->GetId()));
        EXPECT_NE(d.Shown().pixels, dithered.pixels);
        ChooseShape(d, FitMode::Fill);
        PumpFor(100ms);
        EXPECT_NE(ShownAt(d.Preview(), 0, 0), wxColour(0x11, 0x33, 0x55));  // no bars
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
    EXPECT_EQ(picture.previewInfo, saved.previewInfo);
    EXPECT_TRUE(LastLogLine().ends_with("Valid BMP file loaded: " + target)) << LastLogLine();
    PumpFor(100ms);
    const wxImage expected = PictureImage(saved);
    const wxImage grabbed = GrabScreen(dlg->Preview());
    EXPECT_TRUE(
        std::equal(expected.GetData(), expected.GetData() + 288 * 192 * 3, grabbed.GetData()));
}

TEST_F(ImportWindowTest, DroppedFilesAreCheckedOrImportedEachInTurnAfterTheDrop) {
    const std::string bmp = dir.File("good.bmp");
    WriteFile(bmp, MakeBmp(RandomPicture(3)));
    const std::string wave = dir.File("song.wav");
    WriteFile(wave, MakeWav(kMinimumAudioBytes));
    // Not named as lyrics (a dropped .txt is offered for timing).
    const std::string text = dir.File("notes.dat");
    WriteFile(text, {'x', 'y', 'z'});
    const std::string mono = dir.File("mono.flac");
    ASSERT_TRUE(RunQuiet(Ffmpeg("-f lavfi -i sine=d=21 -ac 1 -ar 48000 " + mono)));
    answers = {dir.File("mono.wav")};
    Drop({bmp, text, mono, wave});
    EXPECT_TRUE(dlg->Model().bitmapPath.empty());  // nothing until the drop has ended
    ASSERT_TRUE(PumpUntil([&] { return dlg->Model().wavePath == wave; }, 30s));
    EXPECT_EQ(dlg->Model().bitmapPath, bmp);
    EXPECT_TRUE(state.bitmapValid && state.waveValid);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Cannot import " + text + ":\nNot a picture or a recording", 0), 0u)
        << boxes[0];
    // The converted recording was taken before the last file.
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].startPath, dir.File("mono.wav"));
    const auto lines = LogLines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.ends_with("Valid WAVE file selected: " + dir.File("mono.wav"));
    }));
}

// Stopped while a picture is read or a recording converted: no box (not even
// for FFmpeg's words for being interrupted), nothing taken.
TEST_F(ImportWindowTest, ProgressShowsAndStopLeavesTheWindowAsItWas) {
    SetImportConverterFactory([] { return std::make_unique<StalledConverter>(); });
    const std::string song = dir.File("song.mp3");
    WriteFile(song, {'x'});
    answers = {song, song, dir.File("song.wav")};
    for (void (CMainDlg::*command)() : {&CMainDlg::OnImportPicture, &CMainDlg::OnImportRecording}) {
        WhenOpen<ImportProgressDlg>([&](ImportProgressDlg& d) {
            EXPECT_TRUE(PumpUntil([&] { return d.Bar()->GetValue() == 50; }, 10s));
            Send(d.StopButton(), wxCommandEvent(wxEVT_BUTTON, wxID_CANCEL));
            EXPECT_FALSE(d.StopButton()->IsEnabled());
            EXPECT_TRUE(PumpUntil([&] { return !d.IsModal(); }, 10s));
        });
        (dlg.get()->*command)();
    }
    EXPECT_EQ(requests.size(), 3u);
    EXPECT_TRUE(dlg->Model().bitmapPath.empty() && dlg->Model().wavePath.empty());
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace orvane::test
