#include "res/layout_builder.h"

#include "res/resource_ids.h"

namespace orvane {

wxRect DialogUnitsToPixels(wxWindow* dialog, const ControlSpec& spec) {
    const wxPoint pos = dialog->ConvertDialogToPixels(wxPoint(spec.x, spec.y));
    const wxSize size = dialog->ConvertDialogToPixels(wxSize(spec.width, spec.height));
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
