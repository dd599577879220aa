// Files that are complete or not there at all.
#include "encoder/output_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fixtures.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

std::size_t EntriesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

TEST(OutputFile, TargetAppearsOnlyWhenCommittedAndNothingElseIsLeft) {
    struct Case {
        const char* name;
        bool existing;  // the target exists before
        bool commit;
        bool replace;
        bool ok;            // commit succeeds
        const char* after;  // the target's content afterwards, "" = missing
    };
    const Case cases[] = {
        {"new file", false, true, true, true, "new"},
        {"replaced", true, true, true, true, "new"},
        {"kept when not replacing", true, true, false, false, "old"},
        {"new without replacing", false, true, false, true, "new"},
        {"abandoned", false, false, true, true, ""},
        {"abandoned over old", true, false, true, true, "old"},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::string target = dir.File("out.cdg");
        if (c.existing) test::WriteFile(target, {'o', 'l', 'd'});
        {
            OutputFile file;
            ASSERT_FALSE(file.Create(target)) << c.name;
            EXPECT_FALSE(file.Write("new", 3)) << c.name;
            if (c.commit) {
                EXPECT_EQ(!file.Commit(c.replace), c.ok) << c.name;
            }
        }
        const test::Bytes content = fs::exists(target) ? test::ReadFile(target) : test::Bytes{};
        EXPECT_EQ(std::string(content.begin(), content.end()), c.after) << c.name;
        EXPECT_EQ(EntriesIn(dir.path()), *c.after ? 1u : 0u) << c.name << ": no temporary left";
    }
}

// What a second stop signal's forced exit removes: the unfinished file and the
// paths named for it, never a committed file or one taken back.
TEST(OutputFile, AForcedExitRemovesOnlyUnfinishedFiles) {
    test::TempDir dir;
    fs::create_directory(dir.File("scratch"));
    test::WriteFile(dir.File("scratch/picture.bmp"), {1});
    const int folder = RemoveOnForcedExit(dir.File("scratch"));
    const int picture = RemoveOnForcedExit(dir.File("scratch/picture.bmp"));
    test::WriteFile(dir.File("kept.bmp"), {1});
    KeepOnForcedExit(RemoveOnForcedExit(dir.File("kept.bmp")));
    OutputFile done;
    ASSERT_FALSE(done.Create(dir.File("done.cdg")));
    ASSERT_FALSE(done.Commit());
    OutputFile unfinished;
    ASSERT_FALSE(unfinished.Create(dir.File("half.cdg")));
    ASSERT_TRUE(fs::exists(unfinished.tempPath()));

    RemovePendingOutputs();
    EXPECT_FALSE(fs::exists(unfinished.tempPath()));
    EXPECT_FALSE(fs::exists(dir.File("scratch")));
    EXPECT_TRUE(fs::exists(dir.File("done.cdg")));
    EXPECT_TRUE(fs::exists(dir.File("kept.bmp")));
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
    KeepOnForcedExit(folder);
    KeepOnForcedExit(picture);
}

TEST(OutputFile, FailuresCarryTheSystemsText) {
    test::TempDir dir;
    OutputFile file;
    const OutputError error = file.Create(dir.File("missing/out.cdg"));
    EXPECT_TRUE(error);
    EXPECT_EQ(error.message, "No such file or directory");

    test::WriteFile(dir.File("plain"), {1});
    EXPECT_EQ(file.Create(dir.File("plain/out.cdg")).message, "Not a directory");
}

}  // namespace
}  // namespace orvane
