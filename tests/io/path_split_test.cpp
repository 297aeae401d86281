// Splitting paths into folder, name, stem and extension, trimming a trailing separator and
// the prefix test, with Shift-JIS characters whose trail byte is a backslash (0x5C).
#include <gtest/gtest.h>

#include <string>

#include "io/path.h"

namespace {

// "表" and "ソ" in Shift-JIS: each has the trail byte 0x5C.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";

struct SplitCase {
    std::string path, folder, name, stem, extension;
};

class PathSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplit, SplitsAtSingleByteSeparatorsAndDotsOnly) {
    const SplitCase& c = GetParam();
    char out[kPathBytes];
    std::fill(out, out + kPathBytes, 'x');
    EXPECT_EQ(folderOf(out, c.path.c_str()), 0);
    EXPECT_EQ(std::string(out), c.folder);
    EXPECT_EQ(fileNameOf(out, c.path.c_str()), 0);
    EXPECT_EQ(std::string(out), c.name);
    EXPECT_EQ(stripExtension(out, c.path.c_str()), 0);
    EXPECT_EQ(std::string(out), c.stem);
    EXPECT_EQ(extensionOf(out, c.path.c_str()), c.extension.empty() ? 0 : -1);
    EXPECT_EQ(std::string(out), c.extension);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathSplit,
    ::testing::Values(
        SplitCase{"C:\\a\\b.pmx", "C:\\a\\", "b.pmx", "C:\\a\\b", ".pmx"},
        SplitCase{"b.pmx", "", "b.pmx", "b", ".pmx"},
        // A slash ends the folder part of a name, but folderOf takes backslashes only.
        SplitCase{"C:/a/b.pmx", "", "b.pmx", "C:/a/b", ".pmx"},
        SplitCase{"C:\\a/b.pmx", "C:\\", "b.pmx", "C:\\a/b", ".pmx"},
        SplitCase{"C:\\old.2\\model", "C:\\old.2\\", "model", "C:\\old", ".2\\model"},
        SplitCase{"model", "", "model", "model", ""},
        SplitCase{"tex.PNG", "", "tex.PNG", "tex", ".PNG"},
        SplitCase{"C:\\m\\", "C:\\m\\", "", "C:\\m\\", ""},
        SplitCase{"C:\\" + kHyou + "\\b.pmx", "C:\\" + kHyou + "\\", "b.pmx",
                  "C:\\" + kHyou + "\\b", ".pmx"},
        SplitCase{"C:\\" + kSo + kHyou, "C:\\", kSo + kHyou, "C:\\" + kSo + kHyou, ""},
        SplitCase{"d\\" + kSo + "/t.a" + kHyou, "d\\", "t.a" + kHyou, "d\\" + kSo + "/t",
                  ".a" + kHyou}));

struct TrimCase {
    std::string path, trimmed;
};

class TrimTrailingSeparator : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimTrailingSeparator, RemovesOneSeparatorKeepingRootsAndCharacters) {
    std::string buffer = GetParam().path;
    buffer.push_back('\0');
    EXPECT_EQ(trimTrailingSeparator(&buffer[0]), 0);
    EXPECT_EQ(std::string(buffer.c_str()), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TrimTrailingSeparator,
    ::testing::Values(TrimCase{"C:\\a\\", "C:\\a"}, TrimCase{"C:\\", "C:\\"},
                      TrimCase{"C:/", "C:/"}, TrimCase{"\\", "\\"}, TrimCase{"a/", "a"},
                      TrimCase{"a", "a"}, TrimCase{"", ""}, TrimCase{"C:\\a\\\\", "C:\\a\\"},
                      TrimCase{"C:\\" + kHyou, "C:\\" + kHyou},     // the trail byte stays
                      TrimCase{"C:\\" + kHyou + "\\", "C:\\" + kHyou},
                      TrimCase{std::string(300, 'p'), std::string(259, 'p')},
                      TrimCase{std::string(257, 'p') + "\\", std::string(257, 'p')},
                      TrimCase{std::string(258, 'p') + "\\", std::string(258, 'p') + "\\"},
                      TrimCase{std::string(258, 'p') + kHyou, std::string(258, 'p')},
                      TrimCase{std::string(257, 'p') + kHyou + "\\",
                               std::string(257, 'p') + kHyou}));

TEST(StartsWithNoCase, ComparesAsciiLettersWithoutCase) {
    EXPECT_EQ(startsWithNoCase(".png", ".PNG"), 0);
    EXPECT_EQ(startsWithNoCase(".pngx", ".PNG"), 0);
    EXPECT_EQ(startsWithNoCase(".pn", ".PNG"), -1);
    EXPECT_EQ(startsWithNoCase("", ".PNG"), -1);
    EXPECT_EQ(startsWithNoCase("anything", ""), 0);
    EXPECT_EQ(startsWithNoCase("{", "["), -1); // only letters are folded
}

TEST(CopyPathBounded, CutsAtACharacterBoundary) {
    char out[8];
    EXPECT_EQ(copyPathBounded(out, sizeof out, "abcdefg"), 0);
    EXPECT_STREQ(out, "abcdefg");
    EXPECT_EQ(copyPathBounded(out, sizeof out, "abcdefgh"), -1);
    EXPECT_STREQ(out, "abcdefg");
    EXPECT_EQ(copyPathBounded(out, sizeof out, ("abcdef" + kHyou).c_str()), -1);
    EXPECT_STREQ(out, "abcdef");
}

} // namespace
