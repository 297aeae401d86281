// relativePath: the target below, beside or above the base folder, targets that cannot be
// reached relatively (other drive, drive letter in other case, other share), and a folder name
// whose Shift-JIS trail byte is a backslash.
#include <gtest/gtest.h>

#include <string>

#include "io/path.h"

namespace {

const std::string kSo = "\x83\x5C"; // "ソ", trail byte 0x5C

struct RelativeCase {
    std::string target, base, expected;
};

class RelativePath : public ::testing::TestWithParam<RelativeCase> {};

TEST_P(RelativePath, ClimbsFromTheBaseToTheTarget) {
    const RelativeCase& c = GetParam();
    char out[kPathBytes + 3 * 64];
    EXPECT_EQ(relativePath(out, c.target.c_str(), c.base.c_str()), 0);
    EXPECT_EQ(std::string(out), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RelativePath,
    ::testing::Values(
        RelativeCase{"C:\\m\\t\\a.png", "C:\\m\\", "t\\a.png"},
        RelativeCase{"C:\\m\\a.png", "C:\\m\\", "a.png"},
        RelativeCase{"C:\\m\\tex\\a.png", "C:\\m\\model\\", "..\\tex\\a.png"},
        RelativeCase{"C:\\x\\a.png", "C:\\m\\n\\", "..\\..\\x\\a.png"},
        RelativeCase{"C:\\mm\\a.png", "C:\\m\\", "..\\mm\\a.png"}, // a shared prefix of a name
        RelativeCase{"D:\\t\\a.png", "C:\\m\\", "D:\\t\\a.png"},
        RelativeCase{"c:\\m\\a.png", "C:\\m\\", "c:\\m\\a.png"},
        RelativeCase{"\\\\srv\\s\\a.png", "C:\\m\\", "\\\\srv\\s\\a.png"},
        RelativeCase{"C:\\m\\a.png", "\\\\srv\\s\\", "C:\\m\\a.png"},
        RelativeCase{"\\\\srv\\s\\t\\a.png", "\\\\srv\\s\\m\\", "..\\t\\a.png"},
        // "..\" cannot lead out of a network share or to another server.
        RelativeCase{"\\\\srv\\s\\a.png", "\\\\srv\\u\\", "\\\\srv\\s\\a.png"},
        RelativeCase{"\\\\one\\s\\a.png", "\\\\two\\s\\", "\\\\one\\s\\a.png"},
        // The trail byte 0x5C of "ソ" is neither a common separator nor a level to climb.
        RelativeCase{"C:\\" + kSo + "a\\x.png", "C:\\" + kSo + "\\", "..\\" + kSo + "a\\x.png"},
        RelativeCase{"C:\\" + kSo + "\\x.png", "C:\\" + kSo + "\\", "x.png"},
        RelativeCase{"C:\\m\\x.png", "C:\\m\\" + kSo + kSo + "\\", "..\\x.png"}));

} // namespace
