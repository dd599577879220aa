#include "input/disk_space.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/fixtures.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

// Other processes write meanwhile: the two figures need only be close.
void ExpectNear(std::uint64_t got, std::uint64_t want) {
    constexpr std::uint64_t kSlack = 256u << 20;
    EXPECT_LE(got, want + kSlack);
    EXPECT_GE(got + kSlack, want);
}

TEST(FreeBytesForOutput, AsksTheFolderThatWillHoldTheOutput) {
    test::TempDir dir;
    const std::uint64_t here = FreeBytesForOutput(dir.File("out.cdg"));
    EXPECT_GT(here, 0u);
    ExpectNear(here, fs::space(dir.path()).available);
    // A bare name lives in the current folder.
    ExpectNear(FreeBytesForOutput("out.cdg"), fs::space(".").available);
}

TEST(FreeBytesForOutput, AFailedQueryGivesZero) {
    test::TempDir dir;
    EXPECT_EQ(FreeBytesForOutput(dir.File("missing/out.cdg")), 0u);
}

}  // namespace
}  // namespace orvane
