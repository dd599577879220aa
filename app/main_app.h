// The application object: runs the main window modally, then ends the program.
#pragma once

#include <wx/app.h>

namespace orvane {

class CMainApp : public wxApp {
  public:
    // Runs the main dialog and returns false, so no message loop of the
    // program's own follows and the program ends when the dialog closes.
    bool OnInit() override;
};

}  // namespace orvane

wxDECLARE_APP(orvane::CMainApp);
