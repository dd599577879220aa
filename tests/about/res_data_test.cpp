// The resource data without any toolkit: pixel maps and dialog layouts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "res/layouts.h"
#include "res/pixel_maps.h"
#include "res/resource_ids.h"

namespace orvane {
namespace {

void ExpectMapShape(std::span<const std::string_view> map, size_t rows, size_t cols) {
    ASSERT_EQ(map.size(), rows);
    for (size_t y = 0; y < map.size(); ++y) {
        ASSERT_EQ(map[y].size(), cols) << "row " << y;
        for (char c : map[y]) {
            Rgb rgb{};
            EXPECT_TRUE(c == '.' || MapColor(c, rgb)) << "unknown '" << c << "' in row " << y;
        }
    }
}

TEST(PixelMaps, HaveTheirSizesAndOnlyKnownCharacters) {
    ExpectMapShape(Icon16Map(), 16, 16);
    ExpectMapShape(Icon32Map(), 32, 32);
    ExpectMapShape(BrowseMap(), 15, 18);
    ExpectMapShape(CursorMap(), 22, 17);
}

TEST(PixelMaps, MapColorUsesTheStandardPalette) {
    const std::pair<char, Rgb> expected[] = {
        {'K', {0, 0, 0}},       {'G', {128, 128, 128}}, {'L', {192, 192, 192}},
        {'W', {255, 255, 255}}, {'Y', {255, 255, 0}},   {'N', {0, 255, 0}},
        {'C', {0, 255, 255}},
    };
    for (const auto& [c, want] : expected) {
        Rgb got{1, 2, 3};
        ASSERT_TRUE(MapColor(c, got)) << c;
        EXPECT_EQ(got.r, want.r) << c;
        EXPECT_EQ(got.g, want.g) << c;
        EXPECT_EQ(got.b, want.b) << c;
    }
    Rgb unused{};
    EXPECT_FALSE(MapColor('.', unused));
    EXPECT_FALSE(MapColor('k', unused));
}

// The large icon draws the same disc: same free top row and right column,
// a black rim, a transparent hole with a small black ring inside it.
TEST(PixelMaps, LargeIconMatchesTheSmallOne) {
    const auto big = Icon32Map();
    EXPECT_EQ(big[0], std::string(32, '.'));
    for (const std::string_view row : big) EXPECT_EQ(row[31], '.');
    EXPECT_EQ(big[16][0], 'K');                 // rim, left
    EXPECT_EQ(big[16][30], 'K');                // rim, right
    EXPECT_EQ(big[16].substr(13, 5), "K...K");  // the small ring, five across
    EXPECT_EQ(big[14].substr(13, 5), ".KKK.");  // its top
    EXPECT_EQ(big[16].substr(11, 2), "..");     // transparent hole around it
    std::set<char> used;
    for (const std::string_view row : big) used.insert(row.begin(), row.end());
    EXPECT_EQ(used, (std::set<char>{'.', 'K', 'G', 'L', 'W', 'Y', 'N', 'C'}));
}

TEST(PixelMaps, CursorHotSpotIsLeftOfTheFingertip) {
    const auto cursor = CursorMap();
    EXPECT_EQ(cursor[0][0], '.');
    EXPECT_EQ(cursor[0].substr(0, 7), ".....KK");
    EXPECT_EQ(cursor[21], ".....KKKKKKKKKK..");
}

TEST(Layouts, MainWindowHasItsSixteenControlsInOrder) {
    const DialogLayout& main = MainLayout();
    EXPECT_EQ(main.id, IDD_MAIN);
    EXPECT_EQ(main.caption, "Orvane");
    EXPECT_EQ(main.width, 419);
    EXPECT_EQ(main.height, 255);
    ASSERT_EQ(main.controls.size(), 16u);
    const int ids[16] = {IDCANCEL_ID,
                         IDC_BROWSE_BITMAP,
                         IDC_BROWSE_WAVE,
                         IDC_BROWSE_OUTPUT,
                         IDC_BITMAP_PATH,
                         IDC_WAVE_PATH,
                         -1,
                         -1,
                         -1,
                         IDC_GRAPHICS_FRAME,
                         IDC_START,
                         IDC_PROGRESS,
                         -1,
                         IDC_PROGRESS_FRAME,
                         IDC_OUTPUT_PATH,
                         IDC_LOG};
    std::vector<int> tabStops;
    for (size_t i = 0; i < 16; ++i) {
        const ControlSpec& c = main.controls[i];
        EXPECT_EQ(c.id, ids[i]) << "control " << i + 1;
        EXPECT_LE(c.x + c.width, main.width) << "control " << i + 1;
        EXPECT_LE(c.y + c.height, main.height) << "control " << i + 1;
        if (c.tabStop) tabStops.push_back(c.id);
        // Only the stand-in captions are hidden, and all of them are.
        const bool standIn =
            c.caption == "Static" || c.caption == "Button1" || c.caption == "Progress1";
        EXPECT_EQ(c.captionHidden, standIn) << "control " << i + 1;
    }
    EXPECT_EQ(tabStops, (std::vector<int>{IDCANCEL_ID, IDC_BROWSE_BITMAP, IDC_BROWSE_WAVE,
                                          IDC_BROWSE_OUTPUT, IDC_START, IDC_LOG}));
    EXPECT_EQ(main.controls[4].x, 228);   // bitmap path
    EXPECT_EQ(main.controls[14].x, 229);  // output path, one unit to the right
}

TEST(Layouts, AboutBoxHasItsTenControlsAndTheLinkTexts) {
    const DialogLayout& about = AboutLayout();
    EXPECT_EQ(about.id, IDD_ABOUTBOX);
    EXPECT_EQ(about.caption, "About Orvane");
    EXPECT_EQ(about.width, 217);
    EXPECT_EQ(about.height, 78);
    ASSERT_EQ(about.controls.size(), 10u);
    const ControlSpec& ok = about.controls[3];
    EXPECT_EQ(ok.kind, ControlKind::DefaultPushButton);
    EXPECT_EQ(ok.id, IDOK_ID);
    int tabStops = 0;
    for (const ControlSpec& c : about.controls) {
        tabStops += c.tabStop ? 1 : 0;
        EXPECT_FALSE(c.captionHidden);
        if (c.id == IDC_VERSION_LABEL) {
            EXPECT_EQ(c.caption, "Orvane Version 0.1 Beta");
        } else if (c.id == IDC_WEBSITE_LINK) {
            EXPECT_EQ(c.caption, kWebsiteAddress);
        } else if (c.id == IDC_EMAIL_LINK) {
            EXPECT_EQ(c.caption, kAuthorEmail);
        }
    }
    EXPECT_EQ(tabStops, 1);  // OK is the only control that takes the focus
    EXPECT_EQ(about.controls[0].kind, ControlKind::Icon);
    EXPECT_EQ(kAboutString, "&About Orvane...");
}

// How far a caption may run: to the next control on its row, or to the frame
// around it, two units short.
TEST(Layouts, RightLimitStopsAtTheNextControlOrTheFrame) {
    const DialogLayout& about = AboutLayout();
    EXPECT_EQ(RightLimit(about, about.controls[2]), 180);  // notice, before OK at 182
    EXPECT_EQ(RightLimit(about, about.controls[5]), 85);   // "Email:", before its link at 87
    EXPECT_EQ(RightLimit(about, about.controls[7]), 208);  // e-mail link, frame ends at 210
    EXPECT_EQ(RightLimit(about, about.controls[1]), 180);  // version line, before OK
    const DialogLayout& main = MainLayout();
    EXPECT_EQ(RightLimit(main, main.controls[4]), 386);  // bitmap path, before its browse button
}

}  // namespace
}  // namespace orvane
