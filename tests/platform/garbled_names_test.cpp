// The names of a Japanese archive unpacked with the wrong code page, below a folder that cannot
// be listed; the code page tables against their generator.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/garbled_names.h"
#include "platform/platform.h"
#include "tests/platform/child_run.h"
#include "tests/support/io_test_files.h"

namespace {

// テクスチャ.png and A.PNG asked below a folder that may be passed but not listed, stored as a
// cp437 unpacking spells the one and in other case the other: the names there as spelled are taken
// as they are; a "." finds nothing, nor a link that names no file. In a child that is no
// superuser, who could list it anyway.
TEST(UnlistableFolder, NamesThereAsSpelledLeadToNamesGarbledOrInOtherCaseButNoDotStepDoes) {
    iotest::TempFolder tmp;
    for (const char* folder : {"sub", "sub/tex"}) mkdir(tmp.file(folder).c_str(), 0755);
    iotest::writeFile(tmp.file("sub/tex/âeâNâXâ`ââ.png"), "");
    iotest::writeFile(tmp.file("sub/tex/a.png"), "");
    chmod(tmp.path().c_str(), 0755);
    chmod(tmp.file("sub").c_str(), 0111);
    const std::string folder = iotest::insidePath(tmp.path()) + "\\";
    const std::string wanted = "\\tex\\\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83.png";
    auto result = platformtest::runInChild("", {}, [&] {
        char out[260];
        platform::Garbling how = platform::Garbling::None;
        if (geteuid() == 0 && setuid(65534) != 0) return 9;
        std::FILE* file = platform::openFile((folder + "sub\\tex\\A.PNG").c_str(), "rb");
        if (file == nullptr || std::fclose(file) != 0) return 3;
        if (platform::findGarbledTwin(folder.c_str(), ("sub" + wanted).c_str(), out, sizeof out, &how) != 0) return 1;
        if (platform::findGarbledTwin(folder.c_str(), ("sub\\." + wanted).c_str(), out, sizeof out, &how) != -1) return 2;
        // A link ending in a pair with no character names no file, though the walk before stopped
        // at the tex/ it holds too.
        const char* noFile = "sub/./tex/\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83.png\x82\xF5";
        return platform::findGarbledTwin((folder + "sub\\").c_str(), noFile, out, sizeof out, &how) != -1 ? 4 : 0;
    });
    chmod(tmp.file("sub").c_str(), 0700);
    EXPECT_EQ(result.exitCode, 0);
}

TEST(CodePageTables, CommittedTablesEqualWhatTheGeneratorWrites) {
    if (std::system("python3 --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    iotest::TempFolder folder;
    const std::string source = QV_SOURCE_DIR, fresh = folder.file("code_page_tables.cpp");
    ASSERT_EQ(std::system(("python3 '" + source + "/tools/gen_code_page_tables.py' '" + fresh + "'").c_str()), 0);
    EXPECT_TRUE(iotest::readFile(fresh) == iotest::readFile(source + "/platform/code_page_tables.cpp"));
}

} // namespace
