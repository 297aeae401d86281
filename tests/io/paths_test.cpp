// The path helpers: splits, trims and relative paths that step over Shift-JIS characters whose
// trail byte is a backslash (0x5C), bounded copies, and a file's stored name. The prefix test
// is exercised through the open dialog's preselection.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "io/path.h"
#include "tests/support/io_test_files.h"

namespace {

// "表" and "ソ" in Shift-JIS: each has the trail byte 0x5C.
const std::string kHyou = "\x95\x5C", kSo = "\x83\x5C";

TEST(PathSplit, SplitsAtSingleByteSeparatorsAndDotsOnly) {
    const struct { std::string path, folder, name, stem, extension; } cases[] = {
        {"C:\\a\\b.pmx", "C:\\a\\", "b.pmx", "C:\\a\\b", ".pmx"},
        // A slash ends the folder part of a name, but folderOf takes backslashes only.
        {"C:/a/b.pmx", "", "b.pmx", "C:/a/b", ".pmx"},
        {"C:\\a/b.pmx", "C:\\", "b.pmx", "C:\\a/b", ".pmx"},
        {"C:\\old.2\\model", "C:\\old.2\\", "model", "C:\\old", ".2\\model"},
        {"model", "", "model", "model", ""},
        {"C:\\" + kHyou + "\\b.pmx", "C:\\" + kHyou + "\\", "b.pmx", "C:\\" + kHyou + "\\b", ".pmx"},
        {"C:\\" + kSo + kHyou, "C:\\", kSo + kHyou, "C:\\" + kSo + kHyou, ""},
        {"d\\" + kSo + "/t.a" + kHyou, "d\\", "t.a" + kHyou, "d\\" + kSo + "/t", ".a" + kHyou},
    };
    for (const auto& c : cases) {
        const char* path = c.path.c_str();
        char folder[kPathBytes], name[kPathBytes], stem[kPathBytes], extension[kPathBytes];
        EXPECT_EQ(folderOf(folder, path) + fileNameOf(name, path) + stripExtension(stem, path), 0) << path;
        EXPECT_EQ(extensionOf(extension, path), c.extension.empty() ? 0 : -1) << path;
        EXPECT_EQ(std::make_tuple(std::string(folder), std::string(name), std::string(stem), std::string(extension)),
                  std::make_tuple(c.folder, c.name, c.stem, c.extension));
    }
}

TEST(PathTrim, RemovesOneSeparatorKeepsRootsAndWholeCharactersAndCutsAt259Bytes) {
    const std::string p257(257, 'p'), p258(258, 'p');
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\a\\", "C:\\a"}, {"C:\\", "C:\\"}, {"z:\\", "z:\\"}, {"\\", "\\"}, {"a/", "a"}, {"C:\\a\\\\", "C:\\a\\"},
        {"C:\\" + kHyou, "C:\\" + kHyou}, {"C:\\" + kHyou + "\\", "C:\\" + kHyou},
        {std::string(300, 'p'), std::string(259, 'p')}, {p257 + "\\", p257}, {p258 + "\\", p258 + "\\"},
        {p258 + kHyou, p258}};
    for (const auto& c : cases) {
        std::string path = c.first + '\0';
        EXPECT_EQ(trimTrailingSeparator(&path[0]), 0);
        EXPECT_EQ(std::string(path.c_str()), c.second) << c.first;
    }
    char out[8];
    EXPECT_EQ(copyPathBounded(out, sizeof out, "abcdefg"), 0);
    EXPECT_EQ(copyPathBounded(out, sizeof out, ("abcdef" + kHyou).c_str()), -1);
    EXPECT_STREQ(out, "abcdef"); // cut before the character, not inside it
}

TEST(RelativePath, ClimbsFromTheBaseOnlyWhereARelativePathCanLead) {
    const struct { std::string target, base, expected; } cases[] = {
        {"C:\\m\\t\\a.png", "C:\\m\\", "t\\a.png"},
        {"C:\\m\\tex\\a.png", "C:\\m\\model\\", "..\\tex\\a.png"},
        {"C:\\x\\a.png", "C:\\m\\n\\", "..\\..\\x\\a.png"},
        {"C:\\mm\\a.png", "C:\\m\\", "..\\mm\\a.png"}, // a shared prefix of a name
        {"\\x\\a.png", "\\m\\", "..\\x\\a.png"},       // only the root shared
        {"D:\\t\\a.png", "C:\\m\\", "D:\\t\\a.png"},
        {"c:\\m\\a.png", "C:\\m\\", "c:\\m\\a.png"},
        {"\\\\srv\\s\\a.png", "A:\\m\\", "\\\\srv\\s\\a.png"}, // drive letters at the ends of their range
        {"z:\\m\\a.png", "\\\\srv\\s\\", "z:\\m\\a.png"},
        {"a:\\m\\a.png", "\\\\srv\\s\\", "a:\\m\\a.png"},
        {"\\\\srv\\s\\t\\a.png", "\\\\srv\\s\\m\\", "..\\t\\a.png"},
        // "..\" cannot lead out of a network share or to another server.
        {"\\\\srv\\s\\a.png", "\\\\srv\\u\\", "\\\\srv\\s\\a.png"},
        {"\\\\one\\s\\a.png", "\\\\two\\s\\", "\\\\one\\s\\a.png"},
        {"\\\\srv\\\\a.png", "\\\\srv\\s\\", "\\\\srv\\\\a.png"}, // an empty share name is no share
        // The trail byte 0x5C of "ソ" is neither a common separator nor a level to climb.
        {"C:\\" + kSo + "a\\x.png", "C:\\" + kSo + "\\", "..\\" + kSo + "a\\x.png"},
        {"C:\\" + kSo + "\\x.png", "C:\\" + kSo + "\\", "x.png"},
        {"C:\\m\\x.png", "C:\\m\\" + kSo + kSo + "\\", "..\\x.png"},
    };
    for (const auto& c : cases) {
        char out[kPathBytes + 3 * 64];
        EXPECT_EQ(relativePath(out, c.target.c_str(), c.base.c_str()), 0);
        EXPECT_EQ(std::string(out), c.expected) << c.target << " from " << c.base;
    }
}

TEST(FindFileName, GivesTheStoredNameOfAFileAndNothingForAFolderOrAMissingFile) {
    iotest::TempFolder folder;
    std::filesystem::create_directory(folder.file("\xE8\xA1\xA8")); // "表", 95 5C inside the program
    iotest::writeFile(folder.file("\xE8\xA1\xA8/Hair.PNG"), "x");
    const std::string base = iotest::insidePath(folder.path()) + "\\" + kHyou;
    const std::pair<const char*, int> cases[] = {{"\\hair.png", 0}, {"\\HAIR.PNG", 0}, {"", -1}, {"\\gone.png", -1}};
    // The platform holds only a few searches at a time: one left open would fail later lookups.
    for (int round = 0; round < 20; ++round) {
        for (const auto& c : cases) {
            char out[kPathBytes];
            std::memset(out, 'x', sizeof out - 1); // a result that is not cleared shows
            out[sizeof out - 1] = '\0';
            ASSERT_EQ(findFileName(out, (base + c.first).c_str()), c.second) << c.first;
            ASSERT_STREQ(out, c.second == 0 ? "Hair.PNG" : "") << c.first;
        }
    }
}

} // namespace
