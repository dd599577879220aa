#include "about/font_description.h"

#include <wx/settings.h>

namespace orvane {

FontSpec FontSpecOf(const wxFont& font) {
    FontSpec desc;
    desc.pointSize = font.GetFractionalPointSize();
    desc.weight = font.GetNumericWeight();
    desc.italic = font.GetStyle() == wxFONTSTYLE_NORMAL ? 0 : 1;
    desc.underline = font.GetUnderlined() ? 1 : 0;
    desc.strikeOut = font.GetStrikethrough() ? 1 : 0;
    desc.charSet = font.GetEncoding();
    desc.family = font.GetFamily();
    desc.faceName = font.GetFaceName().utf8_string();
    return desc;
}

wxFont FontFromSpec(const FontSpec& desc) {
    wxFontInfo info(desc.pointSize);
    info.Family(desc.family)
        .Weight(desc.weight)
        .Italic(desc.italic != 0)
        .Underlined(desc.underline != 0)
        .Strikethrough(desc.strikeOut != 0)
        .Encoding(desc.charSet);
    if (!desc.faceName.empty()) info.FaceName(wxString::FromUTF8(desc.faceName));
    return wxFont(info);
}

FontSpec DefaultGuiFontSpec() {
    return FontSpecOf(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
}

}  // namespace orvane
