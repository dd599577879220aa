#include "res/layout_builder.h"

#include "res/resource_ids.h"

namespace orvane {

wxRect DialogUnitsToPixels(wxWindow* dialog, const ControlSpec& entry) {
    const wxPoint pos = dialog->ConvertDialogToPixels(wxPoint(entry.x, entry.y));
    const wxSize size = dialog->ConvertDialogToPixels(wxSize(entry.width, entry.height));
    return wxRect(pos, size);
}

wxSize LayoutClientSize(wxWindow* dialog, const DialogLayout& layout) {
    return dialog->ConvertDialogToPixels(wxSize(layout.width, layout.height));
}

wxString LayoutText(std::string_view text) {
    return wxString::FromUTF8(text.data(), text.size());
}

wxWindowID WindowIdFor(int layoutId) {
    if (layoutId == IDOK_ID) return wxID_OK;
    if (layoutId == IDCANCEL_ID) return wxID_CANCEL;
    if (layoutId < 0) return wxID_ANY;
    return layoutId;
}

}  // namespace orvane
