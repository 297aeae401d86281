// findFileName: the stored name of a file typed in another letter case (also below a folder
// whose Shift-JIS name has the trail byte 0x5C), folders and missing files, and searches that
// are always closed again.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "io/path.h"
#include "tests/support/io_test_files.h"

namespace {

class FindFileNameTest : public ::testing::Test {
protected:
    // Starts every lookup with a full buffer, so a result that is not cleared shows.
    int find(const std::string& inside) {
        std::memset(out, 'x', sizeof out - 1);
        out[sizeof out - 1] = '\0';
        return findFileName(out, inside.c_str());
    }

    iotest::TempFolder folder;
    char out[kPathBytes];
};

TEST_F(FindFileNameTest, FileTypedInAnotherCaseGivesTheStoredName) {
    iotest::writeFile(folder.file("Hair.PNG"), "x");
    EXPECT_EQ(find(iotest::insidePath(folder.file("hair.png"))), 0);
    EXPECT_STREQ(out, "Hair.PNG");
    EXPECT_EQ(find(iotest::insidePath(folder.file("Hair.PNG"))), 0);
    EXPECT_STREQ(out, "Hair.PNG");
}

TEST_F(FindFileNameTest, FolderWithTrailByteBackslashInItsName) {
    // "表" is E8 A1 A8 on disk (UTF-8) and 95 5C inside the program (Shift-JIS).
    std::filesystem::create_directory(folder.file("\xE8\xA1\xA8"));
    iotest::writeFile(folder.file("\xE8\xA1\xA8/Tex.png"), "x");
    std::string inside = iotest::insidePath(folder.path()) + "\\\x95\x5C\\TEX.PNG";
    EXPECT_EQ(find(inside), 0);
    EXPECT_STREQ(out, "Tex.png");
    EXPECT_EQ(find(iotest::insidePath(folder.path()) + "\\\x95\x5C"), -1); // the folder itself
    EXPECT_STREQ(out, "");
}

TEST_F(FindFileNameTest, FolderOrMissingFileIsNotFound) {
    std::filesystem::create_directory(folder.file("sub"));
    EXPECT_EQ(find(iotest::insidePath(folder.file("sub"))), -1);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(find(iotest::insidePath(folder.file("missing.png"))), -1);
    EXPECT_STREQ(out, "");
}

TEST_F(FindFileNameTest, EverySearchIsClosedAgain) {
    // The platform holds only a few searches at a time; a lookup that left one open would
    // make later lookups fail.
    iotest::writeFile(folder.file("a.png"), "x");
    std::filesystem::create_directory(folder.file("sub"));
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(find(iotest::insidePath(folder.file("sub"))), -1) << i;
        ASSERT_EQ(find(iotest::insidePath(folder.file("A.PNG"))), 0) << i;
    }
}

} // namespace
