// The terminal side of the platform, driven as a user or a script drives the program: the
// language and console mode for each locale setting (standard output carrying the console text
// and nothing else), and the message boxes and open dialog answered through standard input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/platform.h"
#include "tests/platform/child_run.h"
#include "tests/support/io_test_files.h"

namespace {

using platform::kIdCancel, platform::kIdNo, platform::kIdOk, platform::kIdYes;
using platformtest::runInChild;

// モ in Shift-JIS and in UTF-8.
const std::string kMoSjis = "\x83\x82";
const std::string kMoUtf8 = "\xE3\x83\xA2";

TEST(LocaleSetting, GivesItsLanguageAndConsoleBytes) {
    const struct { std::vector<std::string> env; bool japanese, utf8Console; } rows[] = {
        {{}, false, false},
        {{"LC_ALL=C", "LC_MESSAGES=ja_JP", "LANG=ja_JP.UTF-8"}, false, false}, // LC_ALL first
        {{"LC_ALL=ja_JP.UTF-8"}, true, true},
        {{"LANG=ja_JP.UTF-8@cjk"}, true, true}, // the modifier is no part of the codeset
    };
    // More than the sink converts at once, a pair or an escape (🎀, which code page 932 lacks)
    // across each step, after a NUL, which goes out on its own.
    const std::string escapedRibbon = "\xFD\xBF\xAE\xA0";
    std::string longText("x\0", 2);
    for (int i = 0; i < 1000; ++i) longText += kMoSjis + escapedRibbon;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.env.empty() ? "nothing set" : row.env[0]);
        auto result = runInChild("", row.env, [&] {
            setenv("LC_ALL", "ja_JP.UTF-8", 1); // the locale is read once, at the start
            // A lead byte whose trail byte comes with the next write, "~" (ASCII stays ASCII),
            // and an English text composed in UTF-8.
            consolePrint("\x83");
            consolePrint("\x82 ~");
            consolePrintUtf8(" \xE3\x83\xA2\n");
            platform::consoleWrite(longText.data(), longText.size(), false);
            platform::consoleFlush();
            return platform::userDefaultLangId() == 1041 ? 1 : 0;
        });
        const std::string& mo = row.utf8Console ? kMoUtf8 : kMoSjis;
        std::string expected = mo + " ~ " + kMoUtf8 + "\n" + std::string("x\0", 2);
        for (int i = 0; i < 1000; ++i) expected += mo + (row.utf8Console ? "\xF0\x9F\x8E\x80" : "?");
        EXPECT_EQ(result.exitCode, row.japanese ? 1 : 0);
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.err, "");
    }
}

constexpr std::uint32_t kQuestion = 0x40043;
constexpr std::uint32_t kContinue = 0x40041;
constexpr std::uint32_t kNotice = 0x40040;
const std::string kYesNoCancel = "Quorvane [Y]es/[N]o/[C]ancel? ";
const std::string kOkCancel = "Quorvane [O]K/[C]ancel? ";

int ask(std::uint32_t flags) { return platform::messageBox("text", "Quorvane", flags, false); }

int countOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

std::string repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += line;
    return text;
}

TEST(MessageBoxPrompt, AnswerGivesItsButtonAndAnyOtherAsksAgain) {
    // The prompt is shown `prompts` times.
    const struct { std::uint32_t flags; std::string input; int id, prompts; } rows[] = {
        {kQuestion, " \ty\n", kIdYes, 1},     {kQuestion, "CANCEL\n", kIdCancel, 1},
        {kQuestion, "what\n", kIdCancel, 2},  {kContinue, "Cancel\n", kIdCancel, 1},
        {kContinue, "y\nok\n", kIdOk, 2},
        // A NUL byte makes its line one refused answer; the next line is the next answer.
        {kQuestion, std::string("y\0x\nn\n", 6), kIdNo, 2},
        // Input that never ends a line, and a script that repeats a refused answer, cancel.
        {kQuestion, std::string(70000, 'y') + "\nn\n", kIdCancel, 1},
        {kQuestion, repeated("what\n", 25) + "y\n", kIdCancel, 20},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input.substr(0, 20));
        auto result = runInChild(row.input, {}, [&] { return ask(row.flags); });
        EXPECT_EQ(result.exitCode, row.id);
        EXPECT_EQ(countOf(result.err, row.flags == kQuestion ? kYesNoCancel : kOkCancel), row.prompts);
        EXPECT_EQ(result.out, ""); // prompts never mix into the console text
        EXPECT_EQ(countOf(result.err, "20 refused answers in a row: taken as Cancel.\n"),
                  row.prompts == 20 ? 1 : 0);
    }
}

// Standard output on a terminal of its own (a pseudo-terminal); standard error stays a file.
bool stdoutToTerminal() {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return false;
    const char* name = ptsname(master);
    int terminal = name != nullptr ? open(name, O_RDWR | O_NOCTTY) : -1;
    return terminal >= 0 && dup2(terminal, STDOUT_FILENO) == STDOUT_FILENO;
}

TEST(MessageBoxPrompt, TextShownOnStandardErrorOnlyWhenStandardOutputIsNoTerminal) {
    // An English text comes composed in UTF-8, a Japanese one in Shift-JIS; each reaches
    // standard error as the console would show it.
    const std::string en = " saved \r\n " + kMoUtf8 + " \r\n", ja = " " + kMoSjis + " \r\n";
    const struct { bool terminal; const char* locale; std::string text; bool utf8; } rows[] = {
        {false, "LANG=C.UTF-8", en, true},
        {false, "LANG=ja_JP.SJIS", ja, false},
        {true, "LANG=C", en, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.locale) + (row.terminal ? ", terminal" : ""));
        auto result = runInChild("y\n", {row.locale}, [&] {
            if (row.terminal && !stdoutToTerminal()) return 99;
            return platform::messageBox(row.text.c_str(), "Quorvane", kQuestion, row.utf8);
        });
        EXPECT_EQ(result.exitCode, kIdYes);
        EXPECT_EQ(result.err, (row.terminal ? "" : row.text + "\n") + kYesNoCancel + "\n");
    }
}

TEST(OpenDialog, TypedNameIsCheckedAndHandedBackAsAFullInsidePath) {
    iotest::TempFolder folder;
    char resolved[PATH_MAX];
    ASSERT_NE(realpath(folder.path().c_str(), resolved), nullptr);
    const std::string base = resolved, insideBase = iotest::insidePath(base);
    for (const char* name : {"Tex", "sub.pmx"}) ASSERT_EQ(mkdir(folder.file(name).c_str(), 0700), 0);
    // "model": the typed name as is must not be taken.
    for (const char* name : {"Tex/Hair.png", "model.pmx", "model"}) iotest::writeFile(folder.file(name), "");
    const std::string deep = base + "/" + std::string(250, 'd'); // a full path over 259 bytes
    ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
    iotest::writeFile(deep + "/m.pmx", "");

    // Exit code 1: chosen (the path after the initial folder in `chosen`), 0: cancelled,
    // 2: FNERR_BUFFERTOOSMALL. The name is asked for `prompts` times, `tooLong` of them refused as
    // too long.
    const struct { std::string input; const char* defaultExt; int exitCode;
                   std::string chosen; int prompts; int tooLong = 0; } rows[] = {
        {"  \r\n", "pmx", 0, "", 1},
        {"model\t\n", "pmx", 1, "\\model.pmx", 1},
        // Refused twice (missing, then tex.bmp), then found as stored, without the dot folders.
        {"nothere.png\ntex\n./TEX/../tex/hair.PNG\n", "bmp", 1, "\\Tex\\Hair.png", 3},
        {"./Tex/../Tex/Hair.png\n", "bmp", 1, "\\Tex\\Hair.png", 1},
        {"sub.pmx\n", "pmx", 0, "", 2}, // a folder is no answer
        // Too long to be taken (the full path, the line): refused and asked again.
        {deep + "/m.pmx\n", "pmx", 0, "", 2, 1},
        {std::string(1100, 'x') + "\nmodel\n", "pmx", 1, "\\model.pmx", 2, 1},
        {repeated("nothere\n", 25) + "model\n", "pmx", 0, "", 20}, // as cancelled
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        auto result = runInChild(row.input, {"LANG=C"}, [&] {
            char file[1024]; // room for more than the dialog gives; nothing after the path changed
            std::memset(file, '#', sizeof file);
            std::memcpy(file, "a.pmx", 6);
            static const char kFilter[] = "MMD Model File  (*.pmx)\0*.PMX\0All Files  (*.*)\0*.*\0";
            platform::OpenFileRequest request{kFilter, 1, file, sizeof file, insideBase.c_str(),
                                              "Open MMD Model File", 0x1800, row.defaultExt, nullptr};
            int chosen = platform::getOpenFileName(&request);
            std::uint32_t error = platform::commDlgExtendedError();
            if (chosen != 0) std::printf("%s%c", file, file[std::strlen(file) + 1]);
            if (error == platform::kFnErrBufferTooSmall && chosen == 0) return 2;
            return error != 0 ? 3 : chosen != 0 ? 1 : 0;
        });
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_EQ(result.out, row.exitCode == 1 ? insideBase + row.chosen + "#" : "");
        EXPECT_EQ(countOf(result.err, "File name: "), row.prompts) << result.err;
        EXPECT_EQ(countOf(result.err, "Too long file name."), row.tooLong);
        // The request as shown: title, initial folder with slashes, filter descriptions.
        for (const char* shown : {"Open MMD Model File", base.c_str(), "MMD Model File  (*.pmx)",
                                  "All Files  (*.*)"})
            EXPECT_NE(result.err.find(shown), std::string::npos) << shown;
    }
    // The root folder shown as itself.
    auto root = runInChild("\n", {"LANG=C"}, [] {
        char file[260] = "";
        platform::OpenFileRequest request{nullptr, 0, file, sizeof file, "\\", "Open", 0, nullptr, nullptr};
        return platform::getOpenFileName(&request);
    });
    EXPECT_EQ(root.err, "Open\nFolder: /\nFile name: \n");
}

} // namespace
