#include "gui_helpers.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/listbox.h>

#include <filesystem>

#include "about/desktop_opener.h"
#include "app/message_box.h"
#include "support/gui_test_support.h"

namespace orvane::test {

void MainWindowTest::SetUp() {
    SetBoxShower([this](const BoxRequest& box) { boxes.push_back(box.text); });
    SetChooserShower([](wxWindow*, bool, const std::string&, const std::string&,
                        const std::string&) { return FileChoice{}; });
    dlg = std::make_unique<CMainDlg>(state, picture);
    dlg->Show();
    PumpFor(std::chrono::milliseconds(100));
}

void MainWindowTest::TearDown() {
    dlg.reset();
    SetBoxShower({});
    SetChooserShower({});
}

void HelpPageTest::SetUp() {
    MainWindowTest::SetUp();
    SetDesktopOpener([this](const std::string& target) { opened.push_back(target); });
    previous = std::filesystem::current_path();
    WriteFile(dir.File("orvane.htm"), {'<'});
    std::filesystem::current_path(dir.path());
}

void HelpPageTest::TearDown() {
    std::filesystem::current_path(previous);
    SetDesktopOpener({});
    MainWindowTest::TearDown();
}

void MainWindowTest::Click(int id) {
    wxWindow* control = dlg->FindWindow(id);
    ASSERT_NE(control, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(control);
    control->GetEventHandler()->ProcessEvent(click);
}

std::vector<std::string> MainWindowTest::LogLines() const {
    std::vector<std::string> lines;
    for (const wxString& line : dlg->LogList()->GetStrings()) lines.emplace_back(line.utf8_str());
    return lines;
}

std::string MainWindowTest::LastLogLine() const {
    const auto lines = LogLines();
    return lines.empty() ? std::string() : lines.back();
}

void MainWindowTest::ChooseFiles(double seconds) {
    DialogModel& model = dlg->Model();
    model.bitmapPath = dir.File("picture.bmp");
    model.wavePath = dir.File("song.wav");
    model.outputPath = dir.File("disc.cdg");
    picture = RandomPicture(7);
    UpdatePreviewInfo(picture);
    WriteFile(model.bitmapPath, MakeBmp(picture));
    const auto audioBytes = static_cast<std::size_t>(seconds * 44100) * 4;
    WriteFile(model.wavePath, MakeWav(audioBytes));
    state.bitmapValid = state.waveValid = state.outputChosen = true;
    state.audioDataOffset = static_cast<std::int64_t>(WavHeaderBytes());
    state.waveFileLength = static_cast<std::int64_t>(WavHeaderBytes() + audioBytes);
}

wxImage GrabScreen(wxWindow* window) {
    const wxRect rect = window->GetScreenRect();
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxClientDC source(window);
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, rect.width, rect.height, &source, 0, 0);
    }
    return bitmap.ConvertToImage();
}

int OpenDescriptorsOn(const std::string& path) {
    int count = 0;
    std::error_code error;
    const auto target = std::filesystem::canonical(path, error);
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(fd.path(), linkError) == target) ++count;
    }
    return count;
}

}  // namespace orvane::test
