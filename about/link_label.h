// A static text that draws its caption in a font and colour of its own and,
// once made clickable, shows its own cursor over its whole rectangle and
// opens its caption with the desktop's default handler when clicked.
//
// The label draws itself (a plain control with its own window) rather than
// wrapping the toolkit's static text, whose GTK widget has no window of its
// own and so can neither paint a background brush nor see the mouse.
#pragma once

#include <wx/brush.h>
#include <wx/colour.h>
#include <wx/control.h>
#include <wx/cursor.h>
#include <wx/font.h>

#include <string>

#include "about/font_description.h"

namespace orvane {

// What a click on a label with this caption opens: "mailto:" and the address
// when the caption is exactly the author's e-mail address, otherwise the
// caption itself.
std::string LinkTargetFor(const std::string& caption);

class CLinkLabel : public wxControl {
  public:
    // Reads the system colours and the default GUI font; makes no window.
    CLinkLabel();
    // Makes the window (the layout's control) with its caption and place.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                const wxSize& size);

    CLinkLabel& SetColor(const wxColour& color);
    CLinkLabel& SetBold(bool bold);
    CLinkLabel& SetUnderline(bool underline);
    CLinkLabel& SetNotify(bool notify);
    CLinkLabel& SetHoverCursor(const wxCursor& cursor);

    const wxColour& TextColor() const { return textColor; }
    const wxBrush& BackgroundBrush() const { return backgroundBrush; }
    const FontSpec& FontDescription() const { return fontSpec; }
    const wxFont& LabelFont() const { return labelFont; }
    const wxCursor& HoverCursor() const { return hoverCursor; }
    bool Notifies() const { return notify; }

    // Width and height of the caption drawn in the label's font.
    wxSize CaptionExtent() const;

    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

  protected:
    wxSize DoGetBestSize() const override;

  private:
    void RebuildFont();
    void RepaintNow();
    void ApplyCursor();
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMouse(wxMouseEvent& event);
    void PassToParent(const wxMouseEvent& event);

    wxColour textColor;
    wxBrush backgroundBrush;
    FontSpec fontSpec;
    wxFont labelFont;
    wxCursor hoverCursor;  // the caller's; wx cursors are shared by reference
    bool notify = false;
};

}  // namespace orvane
