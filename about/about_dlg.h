// The About box: icon, version line, copyright notice and two links.
#pragma once

#include <wx/dialog.h>

namespace orvane {

class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent);
};

}  // namespace orvane
