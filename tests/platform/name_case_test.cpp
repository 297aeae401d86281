// File names matched without ASCII case, as a model made on Windows expects: a texture list
// that says Tex\Hair.PNG finds tex/hair.png, an exact name wins over its case variants, and
// writing over an existing file in another case replaces it instead of adding a twin.
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "tests/support/io_test_files.h"

namespace {

class NameCase : public ::testing::Test {
protected:
    std::string inside(const std::string& relative) {
        return iotest::insidePath(folder.path()) + "\\" + relative;
    }
    // The file's bytes through openFile, or "<none>".
    std::string readThrough(const std::string& insidePath) {
        std::FILE* file = platform::openFile(insidePath.c_str(), "rb");
        if (file == nullptr) return "<none>";
        std::string bytes;
        int c;
        while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<char>(c));
        std::fclose(file);
        return bytes;
    }
    int entriesIn(const std::string& outsideFolder) {
        int count = 0;
        DIR* dir = opendir(outsideFolder.c_str());
        while (dir != nullptr && readdir(dir) != nullptr) ++count;
        if (dir != nullptr) closedir(dir);
        return count - 2; // "." and ".."
    }
    std::string storedName(const std::string& insidePath, bool* isFolder = nullptr) {
        platform::FindEntry entry;
        int handle = platform::findFirst(insidePath.c_str(), &entry);
        if (handle < 0) return "<none>";
        if (isFolder != nullptr) *isFolder = entry.isFolder;
        EXPECT_EQ(platform::findNext(handle, &entry), -1);
        platform::findClose(handle);
        return entry.name;
    }

    iotest::TempFolder folder;
};

TEST_F(NameCase, TexturePathInOtherCaseFindsTheStoredFile) {
    ASSERT_EQ(mkdir(folder.file("tex").c_str(), 0700), 0);
    iotest::writeFile(folder.file("tex/hair.png"), "hair");

    EXPECT_EQ(readThrough(inside("Tex\\Hair.PNG")), "hair");
    EXPECT_EQ(storedName(inside("Tex\\Hair.PNG")), "hair.png");
    bool isFolder = false;
    EXPECT_EQ(storedName(inside("TEX"), &isFolder), "tex");
    EXPECT_TRUE(isFolder);
    // Case is all that may differ.
    EXPECT_EQ(readThrough(inside("Tex\\Hair.PN")), "<none>");
    EXPECT_EQ(readThrough(inside("Tex\\Hair.PNG\\x")), "<none>");
    EXPECT_EQ(storedName(inside("Tex\\Hairs.PNG")), "<none>");
    EXPECT_EQ(readThrough(inside("Tex\\..\\tex\\HAIR.png")), "hair");
    // A folder is no file, whatever the C library would let through.
    EXPECT_EQ(readThrough(inside("Tex")), "<none>");
    EXPECT_EQ(readThrough(inside("tex\\")), "<none>");
}

TEST_F(NameCase, ExactNameWinsElseFirstInByteOrder) {
    iotest::writeFile(folder.file("a.png"), "lower");
    iotest::writeFile(folder.file("a.PNG"), "upper");
    iotest::writeFile(folder.file("A.Png"), "mixed");

    EXPECT_EQ(readThrough(inside("a.png")), "lower");
    EXPECT_EQ(readThrough(inside("a.PNG")), "upper");
    // "A.Png" < "a.PNG" < "a.png" in byte order.
    EXPECT_EQ(readThrough(inside("A.PNG")), "mixed");
    EXPECT_EQ(storedName(inside("A.pNG")), "A.Png");
}

TEST_F(NameCase, WritingReplacesAFileOfTheSameNameInOtherCase) {
    ASSERT_EQ(mkdir(folder.file("out").c_str(), 0700), 0);
    iotest::writeFile(folder.file("out/Model-new.PMX"), "old");

    std::FILE* file = platform::openFile(inside("OUT\\model-new.pmx").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("new", file);
    std::fclose(file);
    EXPECT_EQ(iotest::readFile(folder.file("out/Model-new.PMX")), "new");
    EXPECT_EQ(entriesIn(folder.file("out")), 1);

    // A new name is created as given, in the folder found without case.
    file = platform::openFile(inside("Out\\Fresh.pmx").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_EQ(iotest::readFile(folder.file("out/Fresh.pmx")), "");
    // A missing folder is not made up.
    EXPECT_EQ(platform::openFile(inside("nowhere\\x.pmx").c_str(), "wb"), nullptr);
}

TEST_F(NameCase, RenameAndRemoveFindTheirFilesWithoutCase) {
    iotest::writeFile(folder.file("part.tmp"), "part");
    iotest::writeFile(folder.file("Done.pmx"), "stale");

    ASSERT_EQ(platform::renameReplace(inside("PART.TMP").c_str(), inside("done.PMX").c_str()), 0);
    EXPECT_EQ(iotest::readFile(folder.file("Done.pmx")), "part");
    EXPECT_EQ(entriesIn(folder.path()), 1);

    EXPECT_EQ(platform::removeFile(inside("DONE.pmx").c_str()), 0);
    EXPECT_EQ(entriesIn(folder.path()), 0);
    EXPECT_EQ(platform::removeFile(inside("done.pmx").c_str()), -1);
    EXPECT_EQ(platform::renameReplace(inside("gone").c_str(), inside("x").c_str()), -1);
}

} // namespace
