// Message boxes and the open dialog driven through standard input, as a script or a user at a
// terminal drives them: each kind of buttons, an answer that is repeated after a wrong one,
// end of input, and the dialog's checks on the typed name.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/console.h"
#include "platform/platform.h"
#include "tests/platform/child_run.h"
#include "tests/support/io_test_files.h"

namespace {

using platformtest::ChildResult;
using platformtest::runInChild;

constexpr std::uint32_t kQuestion = 0x40043;
constexpr std::uint32_t kContinue = 0x40041;
constexpr std::uint32_t kNotice = 0x40040;
const std::string kYesNoCancel = "Quorvane [Y]es/[N]o/[C]ancel? ";
const std::string kOkCancel = "Quorvane [O]K/[C]ancel? ";

int ask(std::uint32_t flags) { return platform::messageBox("text", "Quorvane", flags); }

int countOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos;
         at = text.find(piece, at + piece.size()))
        ++count;
    return count;
}

struct AnswerRow {
    std::uint32_t flags;
    const char* input;
    int expectedId;
    int prompts; // how often the prompt was shown
};

class MessageBoxAnswer : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(MessageBoxAnswer, GivesItsButton) {
    const AnswerRow& row = GetParam();
    ChildResult result = runInChild(row.input, {}, [&] { return ask(row.flags); });
    EXPECT_EQ(result.exitCode, row.expectedId) << "input: " << row.input;
    const std::string& prompt = row.flags == kQuestion ? kYesNoCancel : kOkCancel;
    EXPECT_EQ(countOf(result.err, prompt), row.prompts) << result.err;
    EXPECT_EQ(result.out, ""); // prompts never mix into the console text
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageBoxAnswer,
    ::testing::Values(AnswerRow{kQuestion, "y\n", platform::kIdYes, 1},
                      AnswerRow{kQuestion, "Yes\r\n", platform::kIdYes, 1},
                      AnswerRow{kQuestion, "N\n", platform::kIdNo, 1},
                      AnswerRow{kQuestion, "no", platform::kIdNo, 1},
                      AnswerRow{kQuestion, "CANCEL\n", platform::kIdCancel, 1},
                      AnswerRow{kQuestion, "c\n", platform::kIdCancel, 1},
                      AnswerRow{kQuestion, "maybe\n\nyess\nn\n", platform::kIdNo, 4},
                      AnswerRow{kQuestion, "", platform::kIdCancel, 1},
                      AnswerRow{kQuestion, "what\n", platform::kIdCancel, 2},
                      AnswerRow{kContinue, "\n", platform::kIdOk, 1},
                      AnswerRow{kContinue, "o\n", platform::kIdOk, 1},
                      AnswerRow{kContinue, "OK\r\n", platform::kIdOk, 1},
                      AnswerRow{kContinue, "Cancel\n", platform::kIdCancel, 1},
                      AnswerRow{kContinue, "y\nok\n", platform::kIdOk, 2},
                      AnswerRow{kContinue, "", platform::kIdCancel, 1}));

TEST(MessageBoxPrompt, EachAnswerTakesOneLineAndANoticeTakesNoneFromAPipe) {
    ChildResult result = runInChild("n\ny\n", {}, [] {
        int first = ask(kQuestion);
        int notice = ask(kNotice);
        int second = ask(kQuestion);
        return notice == platform::kIdOk ? first * 10 + second : 0;
    });
    EXPECT_EQ(result.exitCode, platform::kIdNo * 10 + platform::kIdYes);
    EXPECT_EQ(countOf(result.err, "Quorvane [OK] "), 1);
}

TEST(MessageBoxPrompt, NoticeAtATerminalWaitsForOneLine) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    std::string terminal = ptsname(master);
    // The person reads the notice and presses Enter ("y" typed by mistake), then answers "n".
    ASSERT_EQ(write(master, "y\nn\n", 4), 4);
    ChildResult result = runInChild("", {}, [&] {
        alarm(10); // a prompt that reads one line too many must not hang the test
        int slave = open(terminal.c_str(), O_RDWR | O_NOCTTY);
        if (slave < 0) return 99;
        dup2(slave, STDIN_FILENO);
        std::clearerr(stdin);
        int notice = ask(kNotice);
        int question = ask(kQuestion);
        return notice == platform::kIdOk ? question : 98;
    });
    close(master);
    EXPECT_EQ(result.exitCode, platform::kIdNo);
}

TEST(MessageBoxPrompt, ConsoleTextIsOutBeforeThePromptAsks) {
    // Standard output and error share one file: the question must stand before the prompt.
    iotest::TempFolder folder;
    std::string both = folder.file("both");
    ChildResult merged = runInChild("y\n", {}, [&] {
        std::freopen(both.c_str(), "w", stdout);
        dup2(STDOUT_FILENO, STDERR_FILENO);
        consolePrint("Question text \n");
        return ask(kQuestion);
    });
    EXPECT_EQ(merged.exitCode, platform::kIdYes);
    std::string text = iotest::readFile(both);
    EXPECT_EQ(text.find("Question text \n"), 0u) << text;
    EXPECT_NE(text.find(kYesNoCancel), std::string::npos) << text;
}

// ---- Open dialog -----------------------------------------------------------------------------

class OpenDialog : public ::testing::Test {
protected:
    void SetUp() override {
        char resolved[PATH_MAX];
        ASSERT_NE(realpath(folder.path().c_str(), resolved), nullptr);
        base = resolved;
        insideBase = iotest::insidePath(base);
    }

    // Runs the dialog in a child: the exit code is 1 when a file was chosen, 0 when cancelled,
    // 2 when it failed with FNERR_BUFFERTOOSMALL, 3 for anything else; the chosen path goes to
    // standard output.
    ChildResult run(const std::string& input, const char* defaultExt = "pmx",
                    const std::vector<std::pair<std::string, std::string>>& env = {}) {
        std::string initial = insideBase;
        return runInChild(input, env, [initial, defaultExt] {
            char file[260] = "a.pmx";
            static const char kFilter[] = "MMD Model File  (*.pmx)\0*.PMX\0All Files  (*.*)\0*.*\0";
            platform::OpenFileRequest request{kFilter, 1, file, sizeof file, initial.c_str(),
                                              "Open MMD Model File", 0x1800, defaultExt};
            int chosen = platform::getOpenFileName(&request);
            std::uint32_t error = platform::commDlgExtendedError();
            if (chosen != 0) {
                std::fputs(file, stdout);
                return error == 0 ? 1 : 3;
            }
            return error == 0 ? 0 : error == platform::kFnErrBufferTooSmall ? 2 : 3;
        });
    }

    iotest::TempFolder folder;
    std::string base;
    std::string insideBase;
};

TEST_F(OpenDialog, ShowsTheRequestAndCancelsOnAnEmptyLineOrEndOfInput) {
    for (const char* input : {"\n", "", "  \r\n"}) {
        ChildResult result = run(input);
        EXPECT_EQ(result.exitCode, 0) << input;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("Open MMD Model File"), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(base), std::string::npos) << result.err; // with slashes
        EXPECT_NE(result.err.find("MMD Model File  (*.pmx)"), std::string::npos);
        EXPECT_NE(result.err.find("All Files  (*.*)"), std::string::npos);
        EXPECT_EQ(countOf(result.err, "File name: "), 1);
    }
}

TEST_F(OpenDialog, RelativeNameWithoutExtensionIsTheDefaultExtensionInTheInitialFolder) {
    iotest::writeFile(folder.file("model.pmx"), "");
    iotest::writeFile(folder.file("model"), ""); // the typed name as is must not be taken
    ChildResult result = run("model\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, insideBase + "\\model.pmx");
}

TEST_F(OpenDialog, MissingNameIsRefusedAndAskedAgain) {
    ASSERT_EQ(mkdir(folder.file("Tex").c_str(), 0700), 0);
    iotest::writeFile(folder.file("Tex/Hair.png"), "");
    ChildResult result = run("nothere.png\ntex\n./TEX/../tex/hair.PNG\n", "bmp");
    EXPECT_EQ(result.exitCode, 1);
    // The stored names, as a full path without the dot folders.
    EXPECT_EQ(result.out, insideBase + "\\Tex\\Hair.png");
    EXPECT_EQ(countOf(result.err, "File name: "), 3);
    EXPECT_NE(result.err.find("nothere.png"), std::string::npos);
}

TEST_F(OpenDialog, FolderIsNoAnswerAndEndOfInputAfterItCancels) {
    ASSERT_EQ(mkdir(folder.file("sub.pmx").c_str(), 0700), 0);
    ChildResult result = run("sub.pmx\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(countOf(result.err, "File name: "), 2);
}

TEST_F(OpenDialog, AbsoluteJapaneseNameComesBackInShiftJis) {
    std::string name = "\xE9\xAB\xAA.png"; // 髪 ("hair")
    iotest::writeFile(folder.file(name), "");
    ChildResult result = run(base + "/" + name + "\n", "bmp", {{"LANG", "ja_JP.UTF-8"}});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, insideBase + "\\\x94\xAF.png");
}

TEST_F(OpenDialog, PathLongerThan259BytesFailsWithBufferTooSmall) {
    std::string deep = base;
    std::string name(100, 'd');
    for (int i = 0; i < 3; ++i) {
        deep += "/" + name;
        ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
    }
    iotest::writeFile(deep + "/m.pmx", "");
    ChildResult result = run(deep + "/m.pmx\n");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
}

} // namespace
