#include "about/font_spec.h"

#include <wx/settings.h>

namespace orvane {

FontSpec FontSpecOf(const wxFont& font) {
    FontSpec spec;
    spec.pointSize = font.GetFractionalPointSize();
    spec.weight = font.GetNumericWeight();
    spec.italic = font.GetStyle() == wxFONTSTYLE_NORMAL ? 0 : 1;
    spec.underline = font.GetUnderlined() ? 1 : 0;
    spec.strikeOut = font.GetStrikethrough() ? 1 : 0;
    spec.charSet = font.GetEncoding();
    spec.family = font.GetFamily();
    spec.faceName = font.GetFaceName().utf8_string();
    return spec;
}

wxFont FontFromSpec(const FontSpec& spec) {
    wxFontInfo info(spec.pointSize);
    info.Family(spec.family)
        .Weight(spec.weight)
        .Italic(spec.italic != 0)
        .Underlined(spec.underline != 0)
        .Strikethrough(spec.strikeOut != 0)
        .Encoding(spec.charSet);
    if (!spec.faceName.empty()) info.FaceName(wxString::FromUTF8(spec.faceName));
    return wxFont(info);
}

FontSpec DefaultGuiFontSpec() {
    return FontSpecOf(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
}

}  // namespace orvane
