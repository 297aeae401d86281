// The code-page boundary: arguments and the current folder arrive as Shift-JIS with
// backslashes, inside-form paths reach the file system as UTF-8 with slashes, and a Shift-JIS
// trail byte 0x5C is never taken for a separator on either way.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/io_test_files.h"

namespace {

// モデル ("model") and 表 ("table"), whose Shift-JIS trail byte is 0x5C.
const std::string kModelUtf8 = "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB";
const std::string kModelSjis = "\x83\x82\x83\x66\x83\x8B";
const std::string kTableUtf8 = "\xE8\xA1\xA8";
const std::string kTableSjis = "\x95\x5C";

std::string argumentAt(int index, std::size_t capacity = 260) {
    std::vector<char> out(capacity + 1, 'x');
    if (platform::argument(index, out.data(), capacity) != 0) return "<error>";
    return out.data();
}

std::string readAll(std::FILE* file) {
    std::string bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<char>(c));
    std::fclose(file);
    return bytes;
}

TEST(Arguments, JapanesePathsArriveAsShiftJisWithBackslashes) {
    std::string program = "/opt/qv/quorvane";
    std::string model = "/home/u/" + kModelUtf8 + ".pmx";
    std::string table = kTableUtf8 + "/a.png";
    std::string options = "-d2/m3";
    std::string emoji = "x\xF0\x9F\x98\x80.pmx"; // U+1F600 has no Shift-JIS code
    std::string cut = kModelUtf8;
    char* argv[] = {program.data(), model.data(), table.data(), options.data(),
                    emoji.data(),   cut.data(),   nullptr};
    platform::startProcess(6, argv);

    ASSERT_EQ(platform::argumentCount(), 6);
    EXPECT_EQ(argumentAt(0), "\\opt\\qv\\quorvane");
    EXPECT_EQ(argumentAt(1), "\\home\\u\\" + kModelSjis + ".pmx");
    EXPECT_EQ(argumentAt(2), kTableSjis + "\\a.png");
    EXPECT_EQ(argumentAt(3), "-d2/m3"); // an option entry keeps the slashes between options
    EXPECT_EQ(argumentAt(4), "x?.pmx");
    // Six bytes hold two of the three characters and the terminator, never half of the third.
    EXPECT_EQ(argumentAt(5, 6), "\x83\x82\x83\x66");
    EXPECT_EQ(argumentAt(6), "<error>");
    EXPECT_EQ(argumentAt(-1), "<error>");
}

TEST(FilesOut, JapaneseNamesOpenAndAreFoundThroughTheirShiftJisPaths) {
    iotest::TempFolder folder;
    iotest::writeFile(folder.file(kModelUtf8 + ".pmx"), "model");
    ASSERT_EQ(mkdir(folder.file(kTableUtf8).c_str(), 0700), 0);
    iotest::writeFile(folder.file(kTableUtf8 + "/a.png"), "texture");
    std::string base = iotest::insidePath(folder.path()) + "\\";

    std::FILE* model = platform::openFile((base + kModelSjis + ".pmx").c_str(), "rb");
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(readAll(model), "model");
    std::FILE* texture = platform::openFile((base + kTableSjis + "\\a.png").c_str(), "rb");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(readAll(texture), "texture");

    platform::FindEntry entry;
    int handle = platform::findFirst((base + kModelSjis + ".pmx").c_str(), &entry);
    ASSERT_GE(handle, 0);
    EXPECT_EQ(std::string(entry.name), kModelSjis + ".pmx");
    EXPECT_FALSE(entry.isFolder);
    EXPECT_EQ(platform::findNext(handle, &entry), -1);
    platform::findClose(handle);

    handle = platform::findFirst((base + kTableSjis).c_str(), &entry);
    ASSERT_GE(handle, 0);
    EXPECT_EQ(std::string(entry.name), kTableSjis);
    EXPECT_TRUE(entry.isFolder);
    platform::findClose(handle);

    // A file written under a Japanese name carries the UTF-8 name on disk.
    std::FILE* copy = platform::openFile((base + kModelSjis + "-new.pmx").c_str(), "wb");
    ASSERT_NE(copy, nullptr);
    std::fputs("copy", copy);
    std::fclose(copy);
    EXPECT_EQ(iotest::readFile(folder.file(kModelUtf8 + "-new.pmx")), "copy");
}

TEST(FilesOut, ArgumentOfAnAsciiNameOpensTheSameFile) {
    // Every ASCII character must survive the way in and the way out, "~" and "\" among them.
    iotest::TempFolder folder;
    std::string name = "a~b c!#$%&'()+,;=@[]^_`{}.png";
    iotest::writeFile(folder.file(name), "ascii");
    std::string program = "quorvane";
    std::string path = folder.file(name);
    char* argv[] = {program.data(), path.data(), nullptr};
    platform::startProcess(2, argv);

    std::string inside = argumentAt(1);
    std::FILE* file = platform::openFile(inside.c_str(), "rb");
    ASSERT_NE(file, nullptr) << inside;
    EXPECT_EQ(readAll(file), "ascii");
}

TEST(CurrentDirectory, JapaneseFolderArrivesAsShiftJisWithoutTrailingSeparator) {
    iotest::TempFolder folder;
    std::string work = folder.file("\xE4\xBD\x9C\xE6\xA5\xAD"); // 作業
    ASSERT_EQ(mkdir(work.c_str(), 0700), 0);
    char resolved[PATH_MAX]; // the temp folder's real name is ASCII
    ASSERT_NE(realpath(folder.path().c_str(), resolved), nullptr);
    std::string expected = iotest::insidePath(resolved) + "\\\x8D\xEC\x8B\xC6";

    char saved[PATH_MAX];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(work.c_str()), 0);
    char out[260];
    std::uint32_t length = platform::currentDirectory(sizeof out, out);
    std::string got = length > 0 ? std::string(out) : "<failed>";
    std::uint32_t tooSmall =
        platform::currentDirectory(static_cast<std::uint32_t>(expected.size()), out);
    ASSERT_EQ(chdir(saved), 0);

    EXPECT_EQ(got, expected);
    EXPECT_EQ(length, expected.size());
    EXPECT_EQ(tooSmall, 0u); // no room for the terminator
}

TEST(LeadBytes, CodePage932RangesOnly) {
    // 0x80 starts a pair for the text converters, but not in code page 932.
    for (unsigned byte : {0x00u, 0x5Cu, 0x7Fu, 0x80u, 0xA0u, 0xA1u, 0xDFu, 0xFDu, 0xFFu})
        EXPECT_FALSE(platform::isDbcsLeadByte(static_cast<unsigned char>(byte))) << byte;
    for (unsigned byte : {0x81u, 0x92u, 0x9Fu, 0xE0u, 0xEAu, 0xFCu})
        EXPECT_TRUE(platform::isDbcsLeadByte(static_cast<unsigned char>(byte))) << byte;
}

} // namespace
