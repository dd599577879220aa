// Whether an output names an input: the identity half of the output rule.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "input/output_rule.h"
#include "support/fixtures.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

bool OutputIsAnInput(const std::string& output, const std::string& bitmap,
                     const std::string& wave) {
    return CheckOutputs({output}, {bitmap, wave}, true).refusal == OutputRefusal::IsAnInput;
}

class FileIdentity : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(dir.path() / "sub");
        test::WriteFile(bmp, {1, 2, 3});
        test::WriteFile(wav, {4, 5, 6});
    }
    test::TempDir dir;
    const std::string bmp = dir.File("in.bmp");
    const std::string wav = dir.File("in.wav");
};

TEST_F(FileIdentity, TheSameFileUnderAnyNameIsAnInput) {
    EXPECT_TRUE(OutputIsAnInput(bmp, bmp, wav));
    EXPECT_TRUE(OutputIsAnInput(wav, bmp, wav));

    const std::string hard = dir.File("hard.cdg");
    ASSERT_EQ(link(bmp.c_str(), hard.c_str()), 0);
    EXPECT_TRUE(OutputIsAnInput(hard, bmp, wav));

    const std::string soft = dir.File("soft.cdg");
    fs::create_symlink(wav, soft);
    EXPECT_TRUE(OutputIsAnInput(soft, bmp, wav));

    EXPECT_TRUE(OutputIsAnInput(dir.File("sub/../in.wav"), bmp, wav));
    EXPECT_TRUE(OutputIsAnInput(dir.File("./sub/.././in.bmp"), bmp, wav));
    EXPECT_TRUE(OutputIsAnInput(fs::relative(wav).string(), bmp, wav));
}

TEST_F(FileIdentity, OtherFilesAreNot) {
    const std::string other = dir.File("other.cdg");
    test::WriteFile(other, {4, 5, 6});  // same content, different file
    EXPECT_FALSE(OutputIsAnInput(other, bmp, wav));
    EXPECT_FALSE(OutputIsAnInput(dir.File("new.cdg"), bmp, wav));         // does not exist
    EXPECT_FALSE(OutputIsAnInput(dir.File("sub/../new.cdg"), bmp, wav));  // nor this
    // A copy of the input's name in another folder.
    EXPECT_FALSE(OutputIsAnInput(dir.File("sub/in.wav"), bmp, wav));
}

TEST_F(FileIdentity, MissingFilesAreComparedByNormalisedPath) {
    // An input removed after it was chosen, and the output named after it.
    const std::string gone = dir.File("gone.wav");
    EXPECT_TRUE(OutputIsAnInput(dir.File("sub/../gone.wav"), bmp, gone));
    EXPECT_TRUE(OutputIsAnInput(dir.File("nowhere/../gone.wav"), bmp, gone));
    EXPECT_FALSE(OutputIsAnInput(dir.File("gone2.wav"), bmp, gone));
}

TEST_F(FileIdentity, EmptyPathsNeverMatch) {
    EXPECT_FALSE(OutputIsAnInput("", "", ""));
    EXPECT_FALSE(OutputIsAnInput(bmp, "", ""));
    EXPECT_FALSE(OutputIsAnInput("", bmp, wav));
    EXPECT_TRUE(OutputIsAnInput(wav, "", wav));
}

}  // namespace
}  // namespace orvane
