// The open dialog: the request for each file kind (filter list bytes, initial folder, name and
// extension, title, default extension, preselected filter), the report of a cancelled or failed
// dialog, and the entry points over the platform's dialog, answered through standard input.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>

#include "io/open_dialog.h"
#include "io/path.h"
#include "tests/support/io_test_files.h"

using namespace std::string_literals;

namespace {

// Filter lists as the dialog receives them: description NUL pattern NUL, per entry.
const std::string kModel = "MMD Model File  (*.pmx)\0*.PMX\0"s;
const std::string kScripts = "Script Files  (*.txt;*.ini;*.dmk)\0*.TXT;*.INI;*.DMK\0"
                             "Text Files  (*.txt)\0*.TXT\0INI Files  (*.ini)\0*.INI\0"s;
const std::string kImages = "Image Files  (*.bmp;*.gif;*.avi;*.png;*.psd;*.jpg;*.jpe)\0*.BMP;*.GIF;*.AVI;*.PNG;*.PSD;*.JPG;*.JPE\0"
                            "BMP Files  (*.bmp)\0*.BMP\0PNG Files  (*.png)\0*.PNG\0PSD Files  (*.psd)\0*.PSD\0"
                            "JPEG Files  (*.jpg;*.jpe)\0*.JPG;*.JPE\0GIF Files  (*.gif)\0*.GIF\0AVI Files  (*.avi)\0*.AVI\0"s;
const std::string kAll = "All Files  (*.*)\0*.*\0\0"s; // the list ends with one more NUL

TEST(OpenDialogRequest, EachKindGetsItsFiltersTitleInitialFolderNameAndPreselection) {
    const std::string overlong = "C:\\" + std::string(400, 'f') + "\\" + std::string(400, 'n') + ".png";
    const struct { int kind; bool titled; std::string path; const char* title;
                   std::string filter, folder, name, extension, shownTitle; const char* defaultExtension; unsigned filterIndex;
    } cases[] = {
        {FileKind::Model, false, "C:\\models\\", nullptr, kModel + kAll, "C:\\models", "", "", "Open MMD Model File", "pmx", 0},
        // An empty title is no title.
        {FileKind::Image, true, "tex/sub/a.bmp", "", kImages + kAll, "", "a.bmp", ".bmp", "Open Image File", "bmp", 2},
        {FileKind::Image, true, overlong, nullptr, kImages + kAll, "C:\\", std::string(256, 'f'), "", "Open Image File",
         "bmp", 0},
        // A bare drive keeps its backslash.
        {FileKind::Any, false, "C:\\a.txt", nullptr, kAll, "C:\\", "a.txt", ".txt", "Open File", "txt", 0},
        {FileKind::Script, false, "a.INI", nullptr, kScripts + kAll, "", "a.INI", ".INI", "Open Script File", "ini", 3},
        // Other kinds by their bits: above 3 no script or image group, the title by the low two bits.
        {5, true, "a.png", nullptr, kAll, "", "a.png", ".png", "Open Image File", "bmp", 0},
    };
    static OpenDialogRequest request; // 17 KB: not on the stack
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ASSERT_EQ(prepareOpenDialog(&request, c.kind, c.path.c_str(), c.title, c.titled), 0);
        EXPECT_EQ(std::string(request.filter, static_cast<std::size_t>(request.filterBytes)), c.filter);
        EXPECT_EQ(std::make_tuple(std::string(request.initialFolder), std::string(request.fileName), std::string(request.initialExtension),
                                  std::string(request.title), std::string(request.defaultExtension), request.filterIndex),
                  std::make_tuple(c.folder, c.name, c.extension, c.shownTitle, std::string(c.defaultExtension), c.filterIndex));
    }
}

TEST(OpenDialogReport, CancelAndFailureLinesNameTheCodeWhenItIsKnown) {
    const std::string failed = "\nFailed Opening File-Open Dialog Box: 0000 (stat=";
    const std::pair<std::uint32_t, std::string> cases[] = {
        {0x0000, "\nCanceled File-Open Dialog Box. (stat=0000).\n"},
        {0x0001, failed + "0001).\nCDERR_STRUCTSIZE.\n"}, {0x0005, failed + "0005).\nCDERR_LOADSTRFAILURE.\n"},
        {0x000C, failed + "000C).\n"}, {0x3003, failed + "3003).\nFNERR_BUFFERTOOSMALL.\n"},
        {0x3004, failed + "3004).\n"}, {0xFFFF, failed + "FFFF).\nCDERR_DIALOGFAILURE.\n"},
    };
    for (const auto& c : cases) {
        iotest::Capture capture;
        reportDialogFailure(c.first);
        EXPECT_EQ(capture.text(), c.second);
    }
}

} // namespace
