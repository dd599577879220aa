// The two dialog layouts as data: every control with its kind, id, caption
// and place in dialog units, in creation (and tab) order.
#pragma once

#include <span>
#include <string_view>

namespace orvane {

// Icon is the program icon (IDR_MAINFRAME) shown at its own size; the
// layout's rectangle only places it.
enum class ControlKind {
    PushButton,
    DefaultPushButton,
    GroupBox,
    Text,
    PathField,
    Icon,
    ListBox,
    Gauge
};

struct ControlSpec {
    ControlKind kind;
    int id;  // -1: never addressed by the code
    std::string_view caption;
    int x, y, width, height;  // dialog units
    bool tabStop;
    // The layout's caption is a stand-in the user never sees: the browse
    // buttons show an image, the path fields show the chosen paths, a bar
    // shows no text. Window builders leave such captions out.
    bool captionHidden = false;
};

struct DialogLayout {
    int id;
    std::string_view caption;
    int width, height;  // dialog units
    std::span<const ControlSpec> controls;
};

const DialogLayout& MainLayout();   // IDD_MAIN, 16 controls
const DialogLayout& AboutLayout();  // IDD_ABOUTBOX, 10 controls

// The x, in dialog units, up to which `control` may grow to the right without
// touching another control on its row or the frame around it (a gap of two
// units kept). Layout widths were fitted to captions in another font; this
// is how far a caption may run in the font at hand.
int RightLimit(const DialogLayout& layout, const ControlSpec& control);

// Texts of the About box that the layout carries.
inline constexpr std::string_view kAboutString = "&About Orvane...";  // IDS_ABOUTBOX
inline constexpr std::string_view kCopyrightNotice = "Copyright (C) 2026 The Orvane developers";
inline constexpr std::string_view kWebsiteAddress = "https://orvane.example.org/";
inline constexpr std::string_view kAuthorEmail = "orvane@example.org";

}  // namespace orvane
