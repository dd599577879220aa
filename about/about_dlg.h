// The About box: icon, version line, copyright notice and two links.
#pragma once

#include <wx/dialog.h>

#include <utility>
#include <vector>

#include "about/link_label.h"
#include "res/layouts.h"

class wxButton;

namespace orvane {

class CAboutDlg : public wxDialog {
  public:
    explicit CAboutDlg(wxWindow* parent);

    CLinkLabel& WebsiteLink() { return websiteLink; }
    CLinkLabel& VersionLabel() { return versionLabel; }
    CLinkLabel& EmailLink() { return emailLink; }

  private:
    void BuildControls();
    wxWindow* CreateText(const ControlSpec& entry, const wxString& caption, const wxRect& place);
    CLinkLabel* LabelFor(int layoutId);
    void ConfigureLabels();
    void FitTexts();
    void OnCharHook(wxKeyEvent& event);
    void RequestHelp();

    // Destroyed in reverse order, before the dialog part.
    CLinkLabel websiteLink;
    CLinkLabel versionLabel;
    CLinkLabel emailLink;
    wxButton* okButton = nullptr;
    // Every text control with its layout entry, for fitting captions.
    std::vector<std::pair<wxWindow*, const ControlSpec*>> texts;
};

}  // namespace orvane
