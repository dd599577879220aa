// Turns layout entries (dialog units) into the pixels and ids of real windows.
#pragma once

#include <wx/gdicmn.h>
#include <wx/window.h>

#include <string_view>

#include "res/layouts.h"

namespace orvane {

// The control's rectangle in pixels, in the dialog units of `dialog`'s font.
wxRect DialogUnitsToPixels(wxWindow* dialog, const ControlSpec& entry);

// The client size of the whole layout in pixels.
wxSize LayoutClientSize(wxWindow* dialog, const DialogLayout& layout);

// A layout text (UTF-8) as a wx string.
wxString LayoutText(std::string_view text);

// The window id for a layout id: the stock OK/Cancel ids become wxID_OK and
// wxID_CANCEL, -1 becomes wxID_ANY, every other id is kept.
wxWindowID WindowIdFor(int layoutId);

}  // namespace orvane
