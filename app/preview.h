// The picture preview: the loaded picture drawn 1:1 on every paint.
#pragma once

#include <wx/image.h>
#include <wx/window.h>

#include "encoder/picture.h"

namespace orvane {

// The picture as an RGB image, coloured with the palette of its preview
// description (a zero palette gives black).
wxImage PictureImage(const Picture& picture);

// A child window of exactly the picture's size that paints it. It takes no
// keyboard focus, so the tab order stays that of the layout.
class PreviewWindow : public wxWindow {
  public:
    PreviewWindow(wxWindow* parent, const wxPoint& pos, const Picture& picture);
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

  private:
    void OnPaint(wxPaintEvent& event);
    const Picture& picture_;
};

}  // namespace orvane
