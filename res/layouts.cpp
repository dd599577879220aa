// The two dialog layouts, control by control in creation (and tab) order.
#include "res/layouts.h"

#include <algorithm>
#include <array>

#include "res/resource_ids.h"

namespace orvane {
namespace {

using K = ControlKind;
constexpr bool kTab = true;
constexpr bool kNoTab = false;
constexpr bool kHidden = true;

constexpr std::array<ControlSpec, 16> kMainControls = {{
    {K::PushButton, IDCANCEL_ID, "E&xit", 342, 18, 50, 14, kTab},
    {K::PushButton, IDC_BROWSE_BITMAP, "Button1", 388, 53, 20, 14, kTab, kHidden},
    {K::PushButton, IDC_BROWSE_WAVE, "Button1", 388, 87, 20, 14, kTab, kHidden},
    {K::PushButton, IDC_BROWSE_OUTPUT, "Button1", 388, 121, 20, 14, kTab, kHidden},
    {K::PathField, IDC_BITMAP_PATH, "Static", 228, 53, 151, 14, kNoTab, kHidden},
    {K::PathField, IDC_WAVE_PATH, "Static", 228, 87, 151, 14, kNoTab, kHidden},
    {K::GroupBox, -1, "Bitmap File", 223, 41, 189, 32, kNoTab},
    {K::GroupBox, -1, "Wave File", 223, 75, 189, 32, kNoTab},
    {K::GroupBox, -1, "Output File", 223, 109, 189, 32, kNoTab},
    {K::GroupBox, IDC_GRAPHICS_FRAME, "Graphics", 7, 7, 212, 134, kNoTab},
    {K::PushButton, IDC_START, "&Start", 247, 19, 50, 14, kTab},
    {K::Gauge, IDC_PROGRESS, "Progress1", 14, 153, 390, 9, kNoTab, kHidden},
    {K::GroupBox, -1, "", 223, 7, 189, 32, kNoTab},
    {K::GroupBox, IDC_PROGRESS_FRAME, "Progress", 7, 143, 405, 26, kNoTab},
    // One unit right of the two path fields above it, as laid out.
    {K::PathField, IDC_OUTPUT_PATH, "Static", 229, 121, 151, 14, kNoTab, kHidden},
    {K::ListBox, IDC_LOG, "", 7, 177, 405, 71, kTab},
}};

constexpr std::array<ControlSpec, 10> kAboutControls = {{
    {K::Icon, -1, "", 14, 12, 21, 20, kNoTab},
    {K::Text, IDC_VERSION_LABEL, kVersionLine, 47, 12, 121, 8, kNoTab},
    {K::Text, -1, kCopyrightNotice, 54, 24, 119, 8, kNoTab},
    {K::DefaultPushButton, IDOK_ID, "OK", 182, 13, 22, 18, kTab},
    {K::Text, -1, "Website:", 40, 47, 29, 8, kNoTab},
    {K::Text, -1, "Email:", 40, 59, 20, 8, kNoTab},
    {K::Text, IDC_WEBSITE_LINK, kWebsiteAddress, 87, 47, 78, 8, kNoTab},
    {K::Text, IDC_EMAIL_LINK, kAuthorEmail, 87, 59, 43, 8, kNoTab},
    {K::GroupBox, -1, "", 7, 38, 203, 33, kNoTab},
    {K::GroupBox, -1, "", 7, 3, 203, 33, kNoTab},
}};

constexpr DialogLayout kMain{IDD_MAIN, kProgramName, 419, 255, kMainControls};
constexpr DialogLayout kAbout{IDD_ABOUTBOX, "About Orvane", 217, 78, kAboutControls};

}  // namespace

namespace {

bool Contains(const ControlSpec& outer, const ControlSpec& inner) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

bool SharesRows(const ControlSpec& a, const ControlSpec& b) {
    return a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

int RightLimit(const DialogLayout& layout, const ControlSpec& control) {
    constexpr int kGap = 2;
    int limit = layout.width - kGap;
    for (const ControlSpec& other : layout.controls) {
        if (&other == &control) continue;
        if (other.kind == ControlKind::GroupBox) {
            if (Contains(other, control)) limit = std::min(limit, other.x + other.width - kGap);
        } else if (SharesRows(other, control) && other.x >= control.x + control.width) {
            limit = std::min(limit, other.x - kGap);
        }
    }
    return limit;
}

const DialogLayout& MainLayout() {
    return kMain;
}
const DialogLayout& AboutLayout() {
    return kAbout;
}

}  // namespace orvane
