// The toolkit images built from the maps.
#include <gtest/gtest.h>
#include <wx/image.h>

#include "res/resources.h"

namespace orvane {
namespace {

TEST(Resources, ImagesHaveTheirSizesAndTransparency) {
    const wxIcon small = ProgramIcon(16);
    const wxIcon large = ProgramIcon(32);
    ASSERT_TRUE(small.IsOk());
    ASSERT_TRUE(large.IsOk());
    EXPECT_EQ(small.GetWidth(), 16);
    EXPECT_EQ(large.GetWidth(), 32);
    EXPECT_EQ(large.GetHeight(), 32);
    EXPECT_EQ(ProgramIcons().GetIconCount(), 2u);

    wxBitmap iconBitmap;
    iconBitmap.CopyFromIcon(large);
    const wxImage disc = iconBitmap.ConvertToImage();
    EXPECT_TRUE(disc.IsTransparent(0, 0));    // outside the disc
    EXPECT_TRUE(disc.IsTransparent(15, 16));  // centre hole
    EXPECT_FALSE(disc.IsTransparent(0, 16));  // rim
    EXPECT_EQ(disc.GetRed(0, 16), 0);

    const wxBitmap browse = BrowseBitmap();
    ASSERT_TRUE(browse.IsOk());
    EXPECT_EQ(browse.GetSize(), wxSize(18, 15));
    const wxImage folder = browse.ConvertToImage();
    EXPECT_FALSE(folder.HasMask());
    EXPECT_EQ(folder.GetRed(0, 0), 192);  // the button-face grey background

    EXPECT_TRUE(LinkCursor().IsOk());
}

}  // namespace
}  // namespace orvane
