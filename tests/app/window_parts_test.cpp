// The context menu's entries and where the help page is found.
#include <gtest/gtest.h>

#include "app/help_page.h"
#include "app/system_menu.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

TEST(SystemMenu, ToolsGroupSitsBetweenCloseAndTheAboutItem) {
    const auto entries = SystemMenuEntries("&About Orvane...");
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].label, "Minimize");
    EXPECT_EQ(entries[1].label, "Close");
    EXPECT_EQ(entries[2].command, MenuCommand::Separator);
    EXPECT_EQ(entries[3].label, "&Play image...");
    EXPECT_EQ(entries[4].label, "&Export for players...");
    EXPECT_EQ(entries[5].label, "Make a &disc...");
    EXPECT_EQ(entries[6].label, "&Import picture...");
    EXPECT_EQ(entries[7].label, "Import &recording...");
    EXPECT_EQ(entries[8].command, MenuCommand::Separator);
    EXPECT_EQ(entries[9].command, MenuCommand::About);
    EXPECT_EQ(entries[9].label, "&About Orvane...");

    const auto bare = SystemMenuEntries("");
    ASSERT_EQ(bare.size(), 8u);
    EXPECT_EQ(bare[7].command, MenuCommand::ImportRecording);
}

TEST(HelpPage, CurrentFolderFirstThenTheProgramsOwnCopy) {
    test::TempDir current, program;
    EXPECT_EQ(FindHelpPage(current.path(), program.path()), "");

    test::WriteFile(program.File("orvane.htm"), {'<'});
    EXPECT_EQ(FindHelpPage(current.path(), program.path()), program.File("orvane.htm"));

    test::WriteFile(current.File("orvane.htm"), {'<'});
    EXPECT_EQ(FindHelpPage(current.path(), program.path()), current.File("orvane.htm"));

    // A folder of that name is no page.
    test::TempDir other;
    std::filesystem::create_directory(other.path() / "orvane.htm");
    EXPECT_EQ(FindHelpPage(other.path(), {}), "");
}

TEST(HelpPage, ProgramDirIsTheFolderOfThisTest) {
    const auto dir = ProgramDir();
    EXPECT_TRUE(std::filesystem::exists(dir / "app_logic_test"));
}

}  // namespace
}  // namespace orvane
