#include "about/about_dlg.h"

#include <wx/bmpbndl.h>
#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>
#include <utility>

#include "res/layout_builder.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace orvane {
namespace {

// The smallest size a caption's font is stepped down to so that it fits.
constexpr double kSmallestPointSize = 7.0;

wxSize CaptionSize(const wxWindow& text, const wxFont& font) {
    int width = 0, height = 0;
    text.GetTextExtent(text.GetLabel(), &width, &height, nullptr, nullptr, &font);
    return wxSize(width, height);
}

// The links' clickable areas are their captions, so a link is fitted to its
// caption; any other text keeps at least its laid-out width. Neither runs
// past `rightLimit` (pixels). A plain text whose caption is still too wide
// gets a smaller font; a link label keeps the font its setters made.
void FitText(wxWindow& text, int rightLimit, bool isLabel, bool fitExactly) {
    const wxSize laid = text.GetSize();
    const int room = rightLimit - text.GetPosition().x;
    wxFont font = text.GetFont();
    wxSize best = CaptionSize(text, font);
    while (!isLabel && best.x > room && font.GetFractionalPointSize() > kSmallestPointSize) {
        font.SetFractionalPointSize(font.GetFractionalPointSize() - 0.5);
        best = CaptionSize(text, font);
    }
    if (font != text.GetFont()) text.SetFont(font);
    // Two pixels of slack: the toolkit's static text pads its caption a little.
    const int width = fitExactly ? best.x : std::max(laid.x, best.x + 2);
    text.SetSize(std::min(width, room), std::max(laid.y, best.y));
}

}  // namespace

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, LayoutText(AboutLayout().caption)) {
    BuildControls();
    ConfigureLabels();
    FitTexts();
    SetClientSize(LayoutClientSize(this, AboutLayout()));
    CentreOnParent();
    okButton->SetDefault();
    okButton->SetFocus();
    Bind(wxEVT_CHAR_HOOK, &CAboutDlg::OnCharHook, this);
}

// One control a layout entry, in layout order, which is also the tab order.
void CAboutDlg::BuildControls() {
    for (const ControlSpec& entry : AboutLayout().controls) {
        const wxRect r = DialogUnitsToPixels(this, entry);
        const wxString caption = LayoutText(entry.caption);
        const wxWindowID id = WindowIdFor(entry.id);
        switch (entry.kind) {
            case ControlKind::Icon:
                // The large icon at its own size; the layout only places it.
                new wxStaticBitmap(this, id, wxBitmapBundle(ProgramIcon(32)), r.GetPosition(),
                                   wxSize(32, 32));
                break;
            case ControlKind::DefaultPushButton:
            case ControlKind::PushButton:
                okButton = new wxButton(this, id, caption, r.GetPosition(), r.GetSize());
                break;
            case ControlKind::GroupBox:
                new wxStaticBox(this, id, caption, r.GetPosition(), r.GetSize());
                break;
            default:
                texts.push_back({CreateText(entry, caption, r), &entry});
                break;
        }
    }
}

wxWindow* CAboutDlg::CreateText(const ControlSpec& entry, const wxString& caption,
                                const wxRect& place) {
    if (CLinkLabel* label = LabelFor(entry.id)) {
        label->Create(this, entry.id, caption, place.GetPosition(), place.GetSize());
        return label;
    }
    return new wxStaticText(this, wxID_ANY, caption, place.GetPosition(), place.GetSize(),
                            wxST_NO_AUTORESIZE);
}

CLinkLabel* CAboutDlg::LabelFor(int layoutId) {
    switch (layoutId) {
        case IDC_WEBSITE_LINK:
            return &websiteLink;
        case IDC_VERSION_LABEL:
            return &versionLabel;
        case IDC_EMAIL_LINK:
            return &emailLink;
        default:
            return nullptr;
    }
}

void CAboutDlg::ConfigureLabels() {
    const wxCursor hand = LinkCursor();
    for (CLinkLabel* link : {&emailLink, &websiteLink}) {
        link->SetNotify(true).SetHoverCursor(hand).SetColor(wxColour(0, 0, 255)).SetUnderline(true);
    }
    versionLabel.SetBold(true);
}

void CAboutDlg::FitTexts() {
    for (const auto& [window, entry] : texts) {
        const int limit = ConvertDialogToPixels(wxPoint(RightLimit(AboutLayout(), *entry), 0)).x;
        const bool isLink = window == &websiteLink || window == &emailLink;
        FitText(*window, limit, isLink || window == &versionLabel, isLink);
    }
}

void CAboutDlg::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_F1) {
        if (event.GetModifiers() == wxMOD_NONE) RequestHelp();
        return;  // with Shift, Ctrl or Alt: nothing
    }
    event.Skip();  // Enter and Escape keep the dialog's own handling
}

// The main window, the box's parent, opens the help page.
void CAboutDlg::RequestHelp() {
    if (wxWindow* parent = GetParent()) {
        wxHelpEvent help(wxEVT_HELP, parent->GetId());
        help.SetEventObject(this);
        parent->GetEventHandler()->ProcessEvent(help);
    }
}

}  // namespace orvane
