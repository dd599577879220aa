// A plain, editable description of a font (face, size, weight, style bits,
// character set), from which a label rebuilds its font after every change.
#pragma once

#include <wx/font.h>

#include <string>

namespace orvane {

struct FontSpec {
    double pointSize = 0;         // character height in points
    int weight = 400;             // 100 to 900; 400 normal, 700 bold
    unsigned char italic = 0;     // 1 or 0
    unsigned char underline = 0;  // 1 or 0
    unsigned char strikeOut = 0;  // 1 or 0
    wxFontEncoding charSet = wxFONTENCODING_DEFAULT;
    wxFontFamily family = wxFONTFAMILY_DEFAULT;  // pitch and family
    std::string faceName;                        // UTF-8

    bool operator==(const FontSpec&) const = default;
};

// The description of an existing font.
FontSpec FontSpecOf(const wxFont& font);

// A font made from the description.
wxFont FontFromSpec(const FontSpec& desc);

// The description of the desktop's default GUI font.
FontSpec DefaultGuiFontSpec();

}  // namespace orvane
