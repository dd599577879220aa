#include "about/link_label.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include "about/desktop_opener.h"
#include "res/layouts.h"

namespace orvane {

std::string LinkTargetFor(const std::string& caption) {
    if (caption == kAuthorEmail) return "mailto:" + caption;
    return caption;
}

CLinkLabel::CLinkLabel()
    : textColor(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT)),
      backgroundBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)),
      fontSpec(DefaultGuiFontSpec()),
      labelFont(FontFromSpec(fontSpec)) {}

bool CLinkLabel::Create(wxWindow* parent, wxWindowID id, const wxString& caption,
                        const wxPoint& pos, const wxSize& size) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxControl::Create(parent, id, pos, size, wxBORDER_NONE)) return false;
    // The brush stands for the dialog's face. On GTK the dialog face is not
    // the button face, so the dialog's own colour is taken, or the label
    // would show as a grey box.
    backgroundBrush = wxBrush(parent->GetBackgroundColour());
    SetLabel(caption);
    SetFont(labelFont);
    Bind(wxEVT_PAINT, &CLinkLabel::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CLinkLabel::OnLeftDown, this);
    // Every other mouse event reaches the dialog while the label is not
    // clickable, as if the label were not there.
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MIDDLE_DCLICK,
          wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_RIGHT_DCLICK, wxEVT_MOTION, wxEVT_MOUSEWHEEL}) {
        Bind(type, &CLinkLabel::OnMouse, this);
    }
    ApplyCursor();
    return true;
}

CLinkLabel& CLinkLabel::SetColor(const wxColour& color) {
    textColor = color;
    RepaintNow();
    return *this;
}

CLinkLabel& CLinkLabel::SetBold(bool bold) {
    fontSpec.weight = bold ? 700 : 400;
    RebuildFont();
    RepaintNow();
    return *this;
}

CLinkLabel& CLinkLabel::SetUnderline(bool underline) {
    fontSpec.underline = underline ? 1 : 0;
    RebuildFont();
    RepaintNow();
    return *this;
}

CLinkLabel& CLinkLabel::SetNotify(bool on) {
    notify = on;
    ApplyCursor();
    return *this;
}

CLinkLabel& CLinkLabel::SetHoverCursor(const wxCursor& cursor) {
    hoverCursor = cursor;
    ApplyCursor();
    return *this;
}

wxSize CLinkLabel::CaptionExtent() const {
    int width = 0, height = 0;
    GetTextExtent(GetLabel(), &width, &height, nullptr, nullptr, &labelFont);
    return wxSize(width, height);
}

wxSize CLinkLabel::DoGetBestSize() const {
    return CaptionExtent();
}

void CLinkLabel::RebuildFont() {
    labelFont = FontFromSpec(fontSpec);
    if (GetHandle()) {
        SetFont(labelFont);
        InvalidateBestSize();
    }
}

void CLinkLabel::RepaintNow() {
    if (!GetHandle()) return;
    Refresh();
    Update();
}

// Only a clickable label shows a cursor of its own; otherwise the window has
// none and the dialog's cursor shows through.
void CLinkLabel::ApplyCursor() {
    if (!GetHandle()) return;
    if (!notify) {
        SetCursor(wxNullCursor);
    } else if (hoverCursor.IsOk()) {
        SetCursor(hoverCursor);
    } else {
        SetCursor(wxCursor(wxCURSOR_ARROW));
    }
}

void CLinkLabel::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetBackground(backgroundBrush);
    dc.Clear();
    dc.SetFont(labelFont);
    dc.SetTextForeground(textColor);
    // The text cells are not filled: the brush shows around and between the letters.
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(GetLabel(), 0, 0);
}

void CLinkLabel::OnLeftDown(wxMouseEvent& event) {
    if (!notify) {
        PassToParent(event);
        return;
    }
    OpenOnDesktop(LinkTargetFor(GetLabel().utf8_string()));
    event.Skip();
}

void CLinkLabel::OnMouse(wxMouseEvent& event) {
    if (notify) {
        event.Skip();
        return;
    }
    PassToParent(event);
}

void CLinkLabel::PassToParent(const wxMouseEvent& event) {
    wxWindow* parent = GetParent();
    if (!parent) return;
    wxMouseEvent copy(event);
    copy.SetPosition(event.GetPosition() + GetPosition());
    copy.SetEventObject(parent);
    copy.SetId(parent->GetId());
    parent->GetEventHandler()->ProcessEvent(copy);
}

}  // namespace orvane
