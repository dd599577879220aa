// Shared set-up for the main-window tests: recorded boxes, a dialog on its
// own state, clicks and screen grabs.
#pragma once

#include <gtest/gtest.h>
#include <wx/image.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "support/fixtures.h"

namespace orvane::test {

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Clicks a button of the dialog as the user would.
    void Click(int id);
    std::string LastLogLine() const;
    std::vector<std::string> LogLines() const;

    // Writes a picture and a recording of `seconds`, and sets the dialog's
    // paths and flags as a chooser would have.
    void ChooseFiles(double seconds);

    JobState state;
    Picture picture;
    std::unique_ptr<CMainDlg> dlg;
    std::vector<std::string> boxes;
    TempDir dir;
};

// The main window in a folder holding a help page, with the desktop's
// "open" recorded in `opened` instead of run.
class HelpPageTest : public MainWindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<std::string> opened;
    std::filesystem::path previous;
};

// The pixels of `window` as they are on the screen.
wxImage GrabScreen(wxWindow* window);

// Descriptors of this process that point at `path`.
int OpenDescriptorsOn(const std::string& path);

}  // namespace orvane::test
