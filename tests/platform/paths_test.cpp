// Paths across the code-page boundary: arguments and the current folder arrive as Shift-JIS
// with backslashes, inside paths reach the file system as UTF-8 with slashes (a trail byte 0x5C
// is no separator either way), and names match without ASCII case, as a Windows model expects,
// and without regard to composition, as names unpacked from a macOS archive need.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/platform.h"
#include "tests/platform/child_run.h"
#include "tests/support/io_test_files.h"

namespace {

// モデル ("model") and 表 ("table", whose Shift-JIS trail byte is 0x5C).
const std::string kModelUtf8 = "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB";
const std::string kModelSjis = "\x83\x82\x83\x66\x83\x8B";
const std::string kTableUtf8 = "\xE8\xA1\xA8";
const std::string kTableSjis = "\x95\x5C";

// The argument in a buffer of exactly `capacity` bytes (the sanitizer sees a write past it).
std::string argumentAt(int index, std::size_t capacity = 260) {
    std::vector<char> out(capacity);
    const int result = platform::argument(index, out.data(), capacity);
    return result == 0 ? out.data() : result == 1 ? "<cut>" : result == 2 ? "<backslash>" : "<error>";
}

TEST(LeadBytes, CodePage932RangesOnly) {
    // 0x80 starts a pair for the text converters, but not in code page 932.
    for (unsigned byte : {0x00u, 0x5Cu, 0x7Fu, 0x80u, 0xA0u, 0xA1u, 0xDFu, 0xFDu, 0xFFu})
        EXPECT_FALSE(platform::isDbcsLeadByte(static_cast<unsigned char>(byte))) << byte;
    for (unsigned byte : {0x81u, 0x9Fu, 0xE0u, 0xFCu})
        EXPECT_TRUE(platform::isDbcsLeadByte(static_cast<unsigned char>(byte))) << byte;
}

// The file's bytes read through openFile, or "<none>".
std::string read(const std::string& insidePath) {
    std::FILE* file = platform::openFile(insidePath.c_str(), "rb");
    return file != nullptr ? platformtest::readAll(file) : "<none>";
}

bool write(const std::string& insidePath, const char* bytes) {
    std::FILE* file = platform::openFile(insidePath.c_str(), "wb");
    return file != nullptr && std::fputs(bytes, file) >= 0 && std::fclose(file) == 0;
}

// The name findFirst gives (a folder's with "/" after it), or "<none>".
std::string storedName(const std::string& insidePath) {
    platform::FindEntry entry;
    int handle = platform::findFirst(insidePath.c_str(), &entry);
    if (handle < 0) return "<none>";
    EXPECT_EQ(platform::findNext(handle, &entry), -1); // no wildcards: one match
    platform::findClose(handle);
    return std::string(entry.name) + (entry.isFolder ? "/" : "");
}

class Paths : public ::testing::Test {
protected:
    std::string inside(const std::string& relative) const {
        return iotest::insidePath(folder.path()) + "\\" + relative;
    }
    void makeFolder(const std::string& relative) {
        ASSERT_EQ(mkdir(folder.file(relative).c_str(), 0700), 0);
    }

    iotest::TempFolder folder;
};

// ".A" and "Z." asked beside ".a" and "z.": two characters from a dot, or like "..", are a name,
// found without case (z ends the letters folded): what openFile reads and the name findFirst gives.
// モ, which only begins the name モ.png, is another name.
TEST(NameLookup, TwoCharactersFromADotAreANameFoundWithoutCase) {
    iotest::TempFolder folder;
    const std::string at = iotest::insidePath(folder.path()) + "\\";
    for (const char* name : {".a", "z.", "\xE3\x83\xA2"}) iotest::writeFile(folder.file(name), name);
    EXPECT_EQ(storedName(at + "\x83\x82.png"), "<none>");
    // A link to nothing is listed in its folder, but names no file.
    ASSERT_EQ(symlink("nowhere", folder.file("gone").c_str()), 0);
    EXPECT_EQ(storedName(at + "gone"), "<none>");
    EXPECT_EQ(read(at + ".A"), ".a");
    EXPECT_EQ(storedName(at + ".A"), ".a");
    EXPECT_EQ(read(at + "Z."), "z.");
    EXPECT_EQ(storedName(at + "Z."), "z.");
}

TEST_F(Paths, ArgumentsArriveAsShiftJisWithBackslashesExceptInOptions) {
    // Every ASCII character survives the way in and out: "~" is no overline.
    std::string ascii = folder.file("a~b c!#$%&'()+,;=@[]^_`{}.png");
    iotest::writeFile(ascii, "ascii");
    std::string args[] = {"/opt/qv/quorvane", "/home/u/" + kModelUtf8 + ".pmx",
                          kTableUtf8 + "/a.png", "-d2/m3",
                          "x\xF0\x9F\x98\x80.pmx", // U+1F600 has no Shift-JIS code: escaped
                          kModelUtf8, ascii, "x-\\y.pmx"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    platform::startProcess(8, argv.data());

    ASSERT_EQ(platform::argumentCount(), 8);
    EXPECT_EQ(argumentAt(0), "\\opt\\qv\\quorvane");
    EXPECT_EQ(argumentAt(1), "\\home\\u\\" + kModelSjis + ".pmx");
    EXPECT_EQ(argumentAt(2), kTableSjis + "\\a.png");
    EXPECT_EQ(argumentAt(3), "-d2/m3"); // the slashes between options stay
    EXPECT_EQ(argumentAt(4), "x\xFD\xBF\xB8\xA0.pmx");
    // Six bytes hold two of the three characters: a cut name, which names another file.
    EXPECT_EQ(argumentAt(5, 6), "<cut>");
    EXPECT_EQ(argumentAt(5, 10), kModelSjis);
    EXPECT_EQ(read(argumentAt(6)), "ascii");
    EXPECT_EQ(argumentAt(3, 1), "<cut>"); // room for the terminator alone
    EXPECT_EQ(argumentAt(7), "<backslash>"); // a name, though a '-' follows its first byte
    EXPECT_EQ(argumentAt(8), "<error>");
    platform::startProcess(0, nullptr); // the vector goes with this test
}

TEST_F(Paths, CurrentFolderAndFullPathsAgainstItAreAsWindowsMakesThem) {
    makeFolder(kTableUtf8);
    makeFolder(kTableUtf8 + "/sub");
    char resolved[PATH_MAX];
    ASSERT_NE(realpath(folder.path().c_str(), resolved), nullptr);
    // The current folder ends in 表, whose trail byte is a backslash.
    const std::string base = iotest::insidePath(resolved), current = base + "\\" + kTableSjis;
    const struct { std::string path, full; } rows[] = {
        {"m.pmx", current + "\\m.pmx"},
        {"dir\\m.pmx", current + "\\dir\\m.pmx"},
        {"..\\" + kTableSjis + "\\.\\m.pmx", current + "\\m.pmx"},
        {"..\\m.pmx", base + "\\m.pmx"},
        {"a\\\\b\\..\\..\\.", current},
        {"\\x\\..\\..\\m.pmx", "\\m.pmx"}, // already full; nothing above the root
        {"\\a\\.\\b\\", "\\a\\b\\"},    // a folder keeps its separator
        {"\\x\\", "\\x\\"},
        {"SUB\\", current + "\\SUB\\"}, // a folder, though one is on disk in other case
    };
    platformtest::ChildResult result = platformtest::runInChild("", {}, [&] {
        if (chdir(folder.file(kTableUtf8).c_str()) != 0) return 1;
        // The current folder: a cut one is no answer; just room, and nothing written past it.
        char cwd[260] = "";
        const auto noRoom = static_cast<std::uint32_t>(current.size());
        cwd[noRoom + 1] = '#';
        if (platform::currentDirectory(noRoom, cwd) != 0 || platform::currentDirectory(noRoom + 1, cwd) != noRoom ||
            cwd[noRoom + 1] != '#')
            return 2;
        std::printf("%s\n", cwd);
        for (const auto& row : rows) {
            char out[260];
            std::uint32_t length = platform::fullPathName(row.path.c_str(), sizeof out, out);
            std::printf("%s|%u\n", out, static_cast<unsigned>(length));
        }
        // One byte short of room: the size needed, and nothing of the path; then just room,
        // and nothing written past it.
        char out[260] = "x";
        const auto fits = static_cast<std::uint32_t>(current.size() + 7); // "\m.pmx" and NUL
        const std::uint32_t needed = platform::fullPathName("m.pmx", fits - 1, out);
        std::printf("%u|%s|", static_cast<unsigned>(needed), out);
        out[fits] = '#';
        std::printf("%u|%s", static_cast<unsigned>(platform::fullPathName("m.pmx", fits, out)), out);
        std::printf("%c\n", out[fits]);
        return 0;
    });
    std::string expected = current + "\n";
    for (const auto& row : rows) expected += row.full + "|" + std::to_string(row.full.size()) + "\n";
    expected += std::to_string(current.size() + 7) + "||" + std::to_string(current.size() + 6) +
                "|" + current + "\\m.pmx#\n";
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, expected);
}

TEST_F(Paths, MoreFoldersThanListingsHoldAreStillSearched) {
    // Each folder's listing is kept: the 65th makes room by forgetting the others. d0's names
    // take more room than d64's, which are more: d1's listing, forgotten, would name d64's.
    platform::forgetFolderListings();
    for (const char* name : {"d0", "d64"}) makeFolder(name);
    iotest::writeFile(folder.file("d0/" + std::string(100, 'x')), "");
    for (const char* name : {"d64/b", "d64/c", "d64/d", "d64/e"}) iotest::writeFile(folder.file(name), "");
    for (int i = 0; i <= 64; ++i) {
        const std::string name = "d" + std::to_string(i);
        mkdir(folder.file(name).c_str(), 0700);
        iotest::writeFile(folder.file(name + "/a.png"), name);
        EXPECT_EQ(read(inside(name + "\\A.PNG")), name);
    }
    EXPECT_EQ(read(inside("d1\\A.PNG")), "d1");
    EXPECT_EQ(read(inside("d0\\A.PNG")), "d0");
}

// No descriptor can be opened from here on (in a child).
bool useUpDescriptors() {
    const int lowest = dup(STDIN_FILENO);
    const struct rlimit none = {static_cast<rlim_t>(lowest), static_cast<rlim_t>(lowest)};
    return lowest >= 0 && close(lowest) == 0 && setrlimit(RLIMIT_NOFILE, &none) == 0;
}

TEST_F(Paths, FolderTooLargeToKeepIsStillSearched) {
    // After a folder that was kept, names that overfill the listings' 2 MiB by one byte, its path
    // and ".", ".." and the NUL after each counted: read at each lookup, so not without a
    // descriptor to spare.
    for (const char* name : {"big", "small"}) makeFolder(name);
    for (const std::string& name : {std::string("big/zz.png"), "small/" + std::string(255, 'z')})
        iotest::writeFile(folder.file(name), "z");
    std::size_t left = 2 * 1024 * 1024 + 1 - (folder.path().size() + 6) - 2 - 3 - 7;
    for (int i = 0; left > 0; ++i) { // links to one file, of 255 bytes and the two last to fill
        const std::size_t bytes = left > 512 ? 256 : left > 256 ? left / 2 : left;
        const std::string name = std::to_string(i) + std::string(bytes - 1 - std::to_string(i).size(), 'f');
        ASSERT_EQ(link(folder.file("big/zz.png").c_str(), folder.file("big/" + name).c_str()), 0);
        left -= bytes;
    }
    for (const char* asked : {"BIG\\ZZ.PNG", "big\\Zz.png"}) EXPECT_EQ(read(inside(asked)), "z") << asked;
    auto result = platformtest::runInChild("", {}, [&] { return useUpDescriptors() && storedName(inside("big\\ZZ.PNG")) == "<none>" ? 0 : 1; });
    EXPECT_EQ(result.exitCode, 0);
    // A folder read after it gets the room back: its name as long as names go is kept whole.
    EXPECT_EQ(read(inside("small\\" + std::string(255, 'Z'))), "z");
    // A name found only garbled there (テクスチャ.png as a cp437 unpacking spells it).
    iotest::writeFile(folder.file("big/âeâNâXâ`ââ.png"), "");
    char out[260];
    platform::Garbling how;
    const std::string garbled = "big\\\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83.png";
    EXPECT_EQ(platform::findGarbledTwin(inside("").c_str(), garbled.c_str(), out, sizeof out, &how), 0);
    EXPECT_EQ(platform::findGarbledTwin(inside("").c_str(), garbled.c_str(), out, 0, &how), -1); // no room
}

TEST_F(Paths, FolderListedIsSearchedWithoutBeingReadAgain) {
    // Without a descriptor to spare: the folder listed before is searched in its listing, one
    // never listed cannot be read.
    for (const char* name : {"a", "b"}) makeFolder(name);
    for (const char* name : {"a/x.png", "b/x.png"}) iotest::writeFile(folder.file(name), "");
    auto result = platformtest::runInChild("", {}, [&] {
        if (storedName(inside("a\\X.PNG")) != "x.png" || !useUpDescriptors()) return 1;
        return (storedName(inside("a\\X.PNG")) == "x.png" ? 0 : 4) + (storedName(inside("b\\X.PNG")) == "<none>" ? 0 : 8);
    });
    EXPECT_EQ(result.exitCode, 0);
    // Changed since it was listed (a tick of the file system's clock later): listed again.
    EXPECT_EQ(storedName(inside("a\\X.PNG")), "x.png");
    usleep(20000);
    iotest::writeFile(folder.file("a/y.png"), "");
    EXPECT_EQ(storedName(inside("a\\Y.PNG")), "y.png");
}

TEST_F(Paths, PathWhoseFoldersAsStoredDoNotFitNamesNothing) {
    // Folders of 42 が asked composed (126 bytes), stored decomposed (252): the path asked fits, the
    // one found would not, down to the last name; no full name, so not even the same as itself.
    std::string ga, decomposed; // 42 が in Shift-JIS, and as か and its voicing mark in UTF-8
    for (int i = 0; i < 42; ++i) {
        ga += "\x82\xAA";
        decomposed += "\xE3\x81\x8B\xE3\x82\x99";
    }
    std::string stored = folder.path(), asked = inside("");
    while (stored.size() + 253 < 4095) {
        stored += "/" + decomposed;
        asked += ga + "\\";
        ASSERT_EQ(mkdir(stored.c_str(), 0700), 0);
    }
    asked += std::string(4096 - stored.size() - 1, 'x');
    EXPECT_FALSE(platform::sameFile(asked.c_str(), asked.c_str()));
}

TEST_F(Paths, CopyEndsWithTheSourceThoughErrnoSaysInterrupted) {
    iotest::writeFile(folder.file("from"), "abc");
    std::FILE* from = std::fopen(folder.file("from").c_str(), "rb");
    std::FILE* to = std::fopen(folder.file("to").c_str(), "wb");
    ASSERT_TRUE(from != nullptr && to != nullptr);
    errno = EINTR; // left by a call interrupted before
    EXPECT_EQ(platform::copyFileBytes(from, 1, to, 10), 2);
    std::fclose(from);
    std::fclose(to);
}

TEST_F(Paths, WritingKeepsTheExactNameAndFindsOnlyTheFoldersWithoutCase) {
    ASSERT_TRUE(write(inside(kModelSjis + "-new.pmx"), "copy"));
    EXPECT_EQ(iotest::readFile(folder.file(kModelUtf8 + "-new.pmx")), "copy");
    makeFolder("out");
    iotest::writeFile(folder.file("out/Model-new.PMX"), "old");
    ASSERT_TRUE(write(inside("OUT\\model-new.pmx"), "new"));
    EXPECT_EQ(iotest::readFile(folder.file("out/Model-new.PMX")), "old"); // another file
    EXPECT_EQ(iotest::readFile(folder.file("out/model-new.pmx")), "new");
    EXPECT_FALSE(write(inside("nowhere\\x.pmx"), ""));
}

TEST_F(Paths, HeldModelServesFromDescriptor0AndClosesEachReadingAgain) {
    iotest::writeFile(folder.file("m.pmx"), "m");
    // The model also under the name a cp437 unpacking gives テクスチャ.pmx.
    ASSERT_EQ(link(folder.file("m.pmx").c_str(), folder.file("âeâNâXâ`ââ.pmx").c_str()), 0);
    iotest::writeFile(folder.file("1"), "m");
    // Standard input closed: the file opened and then the model's folder are descriptor 0.
    auto result = platformtest::runInChild("", {}, [&] {
        std::FILE* copy = nullptr;
        // A name of one byte, given relative to the current folder.
        std::FILE* relative = chdir(folder.path().c_str()) == 0 ? platform::openModel("1") : nullptr;
        if (relative == nullptr || std::fclose(relative) != 0) return 6;
        if (platform::openModel("") != nullptr || platform::createUnnamedCopy(&copy) != -1 ||
            platform::nameCopy(copy, "m-new.pmx") != -1)
            return 1; // none held
        close(STDIN_FILENO);
        std::FILE* plain = platform::openFile(inside("m.pmx").c_str(), "rb");
        if (plain == nullptr || std::fclose(plain) != 0) return 2;
        std::FILE* model = platform::openModel(inside("m.pmx").c_str());
        // The model held is not renamed from that name; below a folder that is not there nothing is.
        const char* textures = "\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83.pmx";
        if (platform::renameGarbledNames(inside("").c_str(), textures) != -1 ||
            platform::renameGarbledNames(inside("none\\").c_str(), textures) != -1)
            return 6;
        // Each reading again closes the one before: the lowest free descriptor comes back.
        int lowest[2] = {-1, -1};
        for (int& free : lowest) {
            std::FILE* again = nullptr;
            if (model == nullptr || platform::reopenModel(&again) != 0) return 3;
            free = dup(STDOUT_FILENO);
            close(free);
            std::fclose(again);
        }
        if (lowest[0] != lowest[1]) return 4;
        // A copy made under its final name, kept by a rename to that name, is no longer discarded.
        if (platform::createNamedCopy("m-new.pmx", &copy) != 0 || std::fclose(copy) != 0 ||
            platform::renameCopy("m-new.pmx") != 0)
            return 5;
        platform::discardCopy();
        // Released, the model's folder is closed: descriptor 0 is free again.
        if (platform::openModel("") != nullptr || dup(STDOUT_FILENO) != STDIN_FILENO) return 7;
        return 0;
    });
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(iotest::readFile(folder.file("m-new.pmx")), "");
}

// Standard input closed: the unnamed copy may be descriptor 0.
TEST_F(Paths, UnnamedCopyMayBeDescriptor0) {
    iotest::writeFile(folder.file("m.pmx"), "m");
    auto result = platformtest::runInChild("", {}, [&] {
        std::FILE* copy = nullptr;
        if (platform::openModel(inside("m.pmx").c_str()) == nullptr) return 1;
        close(STDIN_FILENO);
        return platform::createUnnamedCopy(&copy) == 0 && fileno(copy) == 0 ? 0 : 2;
    });
    EXPECT_EQ(result.exitCode, 0);
}

// No descriptor left to open it with: the file reads as missing (not as descriptor 0).
TEST_F(Paths, FileWithoutADescriptorLeftReadsAsMissing) {
    iotest::writeFile(folder.file("m.pmx"), "m");
    auto result = platformtest::runInChild("", {}, [&] {
        return useUpDescriptors() && platform::openFile(inside("m.pmx").c_str(), "rb") == nullptr ? 0 : 1;
    });
    EXPECT_EQ(result.exitCode, 0);
}

// A byte that is no character cuts the conversion: the path is no name, not the part before it.
TEST_F(Paths, PathHoldingNoCharacterNamesNoFile) {
    iotest::writeFile(folder.file("m.pmx"), "m");
    auto result = platformtest::runInChild("", {}, [&] {
        return chdir(folder.path().c_str()) == 0 && read("m.pmx\xFF") == "<none>" ? 0 : 1;
    });
    EXPECT_EQ(result.exitCode, 0);
}

TEST(ShownPath, LongestThatFitsHasItsSeparatorsTurned) {
    EXPECT_EQ(platform::shownPath(("\\" + std::string(4094, 'a')).c_str()), "/" + std::string(4094, 'a'));
}

TEST(HostSystem, NameAndReleaseCutToTheRoomGiven) {
    char name[1] = {'x'}, release[1] = {'x'};
    EXPECT_EQ(platform::hostSystem(name, sizeof name, release, sizeof release), 0);
    EXPECT_EQ(std::string(name) + release, "");
}

TEST_F(Paths, NoSignalLeavesTheCopyBehind) {
    // Every signal that ends the process, the named copy held; one after the copy took its
    // name, which keeps it; one ignored as under nohup; SIGKILL, the copy unnamed.
    const struct { int signal; const char* left; bool unnamed = false; bool renamed = false, ignored = false; } rows[] = {
        {SIGINT, ""}, {SIGTERM, ""}, {SIGHUP, ""}, {SIGQUIT, ""}, {SIGALRM, ""}, {SIGUSR1, ""},
        {SIGUSR2, ""}, {SIGPIPE, ""}, {SIGVTALRM, ""}, {SIGPROF, ""}, {SIGXCPU, ""},
        {SIGHUP, "m-new.pmx", false, true}, {SIGHUP, "part.tmp", false, false, true}, {SIGKILL, "", true}};
    iotest::writeFile(folder.file("m.pmx"), "m");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.signal);
        platformtest::ChildResult result = platformtest::runInChild("", {}, [&] {
            const struct rlimit noCore = {0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            if (row.ignored) signal(row.signal, SIG_IGN);
            consolePrint("Writing to  : part \n"); // still in standard output's buffer
            std::FILE* copy = nullptr;
            if (platform::openModel(inside("m.pmx").c_str()) == nullptr ||
                (row.unnamed ? platform::createUnnamedCopy(&copy) : platform::createNamedCopy("part.tmp", &copy)) != 0)
                return 1;
            std::fputs("part", copy);
            std::fflush(copy);
            if (row.renamed && platform::renameCopy("m-new.pmx") != 0) return 1;
            raise(row.signal);
            return 2;
        });
        EXPECT_EQ(result.exitCode, row.ignored ? 2 : -1); // -1: ended by the signal
        EXPECT_EQ(result.out, row.signal == SIGKILL ? "" : "Writing to  : part \n");
        std::string left;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().filename() != "m.pmx") left += entry.path().filename().string();
        EXPECT_EQ(left, row.left);
        if (!left.empty()) std::remove(folder.file(left).c_str());
    }
}

} // namespace
