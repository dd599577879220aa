// The Tools button: the one visible way to the tools of the context menu.
#include <wx/button.h>
#include <wx/menu.h>

#include "app/main_dlg.h"

namespace orvane {

namespace {

// In the gap between Start and Exit (dialog units).
constexpr int kToolsButtonX = 302, kToolsButtonY = 18, kToolsButtonWidth = 36;
constexpr int kToolsButtonHeight = 14;

}  // namespace

// The one visible way to the tools, which were only in the context menu:
// a button between Start and Exit that opens that menu below itself. It
// comes after Start in the tab order; the other controls stay where they are.
void CMainDlg::CreateToolsButton() {
    const wxPoint pos = ConvertDialogToPixels(wxPoint(kToolsButtonX, kToolsButtonY));
    const wxSize size = ConvertDialogToPixels(wxSize(kToolsButtonWidth, kToolsButtonHeight));
    toolsButton_ = new wxButton(this, kToolsButtonId, "&Tools", pos, size);
    toolsButton_->MoveAfterInTabOrder(startButton_);
    toolsButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        std::unique_ptr<wxMenu> menu = ToolsMenu();
        PopupMenu(menu.get(), toolsButton_->GetPosition() + wxPoint(0, toolsButton_->GetSize().y));
    });
}

}  // namespace orvane
