// The dialog entry points over the platform's dialog, answered through standard input: the
// chosen path handed back (or not, without `out`), the initial folder and default extension
// reaching the dialog, a name that must exist, and a cancel reported as -1.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "io/open_dialog.h"
#include "io/path.h"
#include "tests/support/io_test_files.h"

namespace {

class OpenDialogTest : public ::testing::Test {
protected:
    void TearDown() override { std::freopen("/dev/null", "r", stdin); }

    // The lines the user types, one per prompt; end of input after them.
    void answer(const std::string& lines) {
        iotest::writeFile(folder.file("answers.txt"), lines);
        ASSERT_NE(std::freopen(folder.file("answers.txt").c_str(), "r", stdin), nullptr);
        std::memset(out, '#', sizeof out - 1);
        out[sizeof out - 1] = '\0';
    }
    std::string inside(const std::string& name) const {
        return iotest::insidePath(folder.file(name));
    }
    bool outUntouched() const { return std::string(out) == std::string(sizeof out - 1, '#'); }

    iotest::TempFolder folder;
    char out[kPathBytes];
};

TEST_F(OpenDialogTest, ChosenFileBelowTheInitialFolderIsHandedBack) {
    iotest::writeFile(folder.file("b.png"), "x");
    answer("b.png\n");
    iotest::Capture capture;
    EXPECT_EQ(openFileDialogTitled(out, FileKind::Image, inside("a.png").c_str(), "Find a.png"), 0);
    EXPECT_EQ(std::string(out), inside("b.png"));
    EXPECT_EQ(capture.text(), "");
}

TEST_F(OpenDialogTest, DefaultExtensionOfTheInitialNameCompletesATypedName) {
    iotest::writeFile(folder.file("b.gif"), "x");
    iotest::writeFile(folder.file("b.bmp"), "x");
    answer("b\n");
    EXPECT_EQ(openFileDialog(out, FileKind::Image, inside("a.GIF").c_str()), 0);
    EXPECT_EQ(std::string(out), inside("b.gif"));
}

TEST_F(OpenDialogTest, CancelLeavesOutAloneAndIsReported) {
    answer("\n");
    iotest::Capture capture;
    EXPECT_EQ(openFileDialog(out, FileKind::Model, inside("").c_str()), -1);
    EXPECT_TRUE(outUntouched());
    EXPECT_EQ(capture.text(), "\nCanceled File-Open Dialog Box. (stat=0000).\n");
}

TEST_F(OpenDialogTest, MissingFileIsRefusedByTheDialog) {
    // The file must exist: the name is refused, and the end of input then cancels.
    answer("missing.png\n");
    iotest::Capture capture;
    EXPECT_EQ(openFileDialogTitled(out, FileKind::Image, inside("a.png").c_str(), nullptr), -1);
    EXPECT_TRUE(outUntouched());
    EXPECT_EQ(capture.text(), "\nCanceled File-Open Dialog Box. (stat=0000).\n");
}

} // namespace
