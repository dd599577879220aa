// What the choosers are given (titles, filter lists) and how a typed name and
// the patterns are fixed up for the GTK chooser.
#include <gtest/gtest.h>

#include "app/file_selection.h"
#include "input/file_chooser.h"

namespace orvane {
namespace {

TEST(ChooserTexts, TitlesAndFiltersOfTheThreeChoosers) {
    EXPECT_EQ(ChooserTitle(true, "BMP"), "Load BMP file");
    EXPECT_EQ(ChooserTitle(true, "WAV"), "Load WAV file");
    EXPECT_EQ(ChooserTitle(false, "CDG"), "Save CDG file as");
    EXPECT_EQ(ChooserTitle(false, "XYZ"), "Save CDG file as");  // whatever the extension
    EXPECT_EQ(ChooserFilter("Bitmap files", "BMP"),
              "Bitmap files (*.BMP)|*.BMP|All Files (*.*)|*.*");
    EXPECT_EQ(ChooserFilter("Wave files", "WAV"), "Wave files (*.WAV)|*.WAV|All Files (*.*)|*.*");
    EXPECT_EQ(ChooserFilter("Output file", "CDG"), "Output file (*.CDG)|*.CDG|All Files (*.*)|*.*");
}

TEST(ChooserPatterns, MatchAnyLetterCaseAndAllFilesMatchesNamesWithoutDot) {
    EXPECT_EQ(ChooserPatterns("Bitmap files (*.BMP)|*.BMP|All Files (*.*)|*.*"),
              "Bitmap files (*.BMP)|*.[Bb][Mm][Pp]|All Files (*.*)|*");
    EXPECT_EQ(ChooserPatterns("Output file (*.CDG)|*.cdg;*.x1"),
              "Output file (*.CDG)|*.[Cc][Dd][Gg];*.[Xx]1");
    EXPECT_EQ(ChooserPatterns(""), "");
}

TEST(WithDefaultExtension, AppendsOnlyToANameWithoutExtension) {
    EXPECT_EQ(WithDefaultExtension("/home/u/disc", "CDG"), "/home/u/disc.CDG");
    EXPECT_EQ(WithDefaultExtension("disc", "CDG"), "disc.CDG");
    EXPECT_EQ(WithDefaultExtension("/home/u/disc.cdg", "CDG"), "/home/u/disc.cdg");
    EXPECT_EQ(WithDefaultExtension("/home/u/disc.img", "CDG"), "/home/u/disc.img");
    // A dot in a folder's name is not the file's extension.
    EXPECT_EQ(WithDefaultExtension("/home/u.v/disc", "CDG"), "/home/u.v/disc.CDG");
    // A hidden file's leading dot is not an extension either.
    EXPECT_EQ(WithDefaultExtension("/home/u/.disc", "CDG"), "/home/u/.disc.CDG");
    EXPECT_EQ(WithDefaultExtension("/home/u/", "CDG"), "/home/u/");
}

}  // namespace
}  // namespace orvane
