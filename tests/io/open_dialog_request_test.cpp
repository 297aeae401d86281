// The open dialog's request for each file kind: the filter list bytes, initial folder, name
// and extension, title, default extension and the preselected filter (its 1-based number in
// the list), without showing a dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "io/open_dialog.h"

namespace {

// Filter list entries, description NUL pattern NUL, written out as the dialog receives them.
const std::string kModel = std::string("MMD Model File  (*.pmx)\0*.PMX\0", 30);
const std::string kScripts =
    std::string("Script Files  (*.txt;*.ini;*.dmk)\0*.TXT;*.INI;*.DMK\0", 52) +
    std::string("Text Files  (*.txt)\0*.TXT\0", 26) + std::string("INI Files  (*.ini)\0*.INI\0", 25);
const std::string kImages =
    std::string("Image Files  (*.bmp;*.gif;*.avi;*.png;*.psd;*.jpg;*.jpe)\0"
                "*.BMP;*.GIF;*.AVI;*.PNG;*.PSD;*.JPG;*.JPE\0", 99) +
    std::string("BMP Files  (*.bmp)\0*.BMP\0", 25) + std::string("PNG Files  (*.png)\0*.PNG\0", 25) +
    std::string("PSD Files  (*.psd)\0*.PSD\0", 25) +
    std::string("JPEG Files  (*.jpg;*.jpe)\0*.JPG;*.JPE\0", 38) +
    std::string("GIF Files  (*.gif)\0*.GIF\0", 25) + std::string("AVI Files  (*.avi)\0*.AVI\0", 25);
const std::string kAll = std::string("All Files  (*.*)\0*.*\0", 21);
const std::string kEnd(1, '\0');

class OpenDialogRequestTest : public ::testing::Test {
protected:
    const OpenDialogRequest& prepare(int kind, const char* initialPath, const char* title,
                                     bool titled) {
        EXPECT_EQ(prepareOpenDialog(request.get(), kind, initialPath, title, titled), 0);
        return *request;
    }
    static std::string filterOf(const OpenDialogRequest& r) {
        return std::string(r.filter, static_cast<std::size_t>(r.filterBytes));
    }
    static std::string defaultOf(const OpenDialogRequest& r) {
        return r.defaultExtension != nullptr ? r.defaultExtension : "<none>";
    }

    std::unique_ptr<OpenDialogRequest> request = std::make_unique<OpenDialogRequest>();
};

TEST_F(OpenDialogRequestTest, ModelKindFromAFolderPath) {
    const OpenDialogRequest& r = prepare(FileKind::Model, "C:\\models\\", nullptr, false);
    EXPECT_EQ(filterOf(r), kModel + kAll + kEnd);
    EXPECT_STREQ(r.initialFolder, "C:\\models");
    EXPECT_STREQ(r.fileName, "");
    EXPECT_STREQ(r.initialExtension, "");
    EXPECT_STREQ(r.title, "Open MMD Model File");
    EXPECT_EQ(defaultOf(r), "pmx");
    EXPECT_EQ(r.filterIndex, 0u);

    prepare(FileKind::Model, "C:\\models\\a.PMX", nullptr, false);
    EXPECT_EQ(r.filterIndex, 1u);
}

TEST_F(OpenDialogRequestTest, ImageKindForAMissingTexture) {
    const OpenDialogRequest& r =
        prepare(FileKind::Image, "C:\\models\\tex\\a.png", "Where is a.png?", true);
    EXPECT_EQ(filterOf(r), kImages + kAll + kEnd);
    EXPECT_STREQ(r.initialFolder, "C:\\models\\tex");
    EXPECT_STREQ(r.fileName, "a.png");
    EXPECT_STREQ(r.initialExtension, ".png");
    EXPECT_STREQ(r.title, "Where is a.png?");
    EXPECT_EQ(defaultOf(r), "png");
    EXPECT_EQ(r.filterIndex, 3u); // "PNG Files  (*.png)"
}

TEST_F(OpenDialogRequestTest, InitialFolderAndNameFromThePath) {
    const OpenDialogRequest& r = prepare(FileKind::Image, "C:\\a.png", nullptr, true);
    EXPECT_STREQ(r.initialFolder, "C:\\"); // a bare drive keeps its backslash
    EXPECT_STREQ(r.fileName, "a.png");

    prepare(FileKind::Image, "tex/sub/a.bmp", nullptr, true);
    EXPECT_STREQ(r.initialFolder, "");
    EXPECT_STREQ(r.fileName, "a.bmp");

    // A folder with a dot in its name gives an extension, which may match.
    prepare(FileKind::Image, "C:\\pics.png\\", nullptr, true);
    EXPECT_STREQ(r.fileName, "");
    EXPECT_STREQ(r.initialExtension, ".png\\");
    EXPECT_EQ(defaultOf(r), "png");
}

TEST_F(OpenDialogRequestTest, TitledDialogFallsBackToTheKindsTitle) {
    EXPECT_STREQ(prepare(FileKind::Image, "a.png", "", true).title, "Open Image File");
    EXPECT_STREQ(prepare(FileKind::Image, "a.png", nullptr, true).title, "Open Image File");
    EXPECT_STREQ(prepare(FileKind::Image, "a.png", "Mine", false).title, "Open Image File");
}

struct PreselectCase {
    int kind;
    bool titled;
    const char* path;
    const char* defaultExtension;
    unsigned filterIndex;
};

class Preselection : public OpenDialogRequestTest,
                     public ::testing::WithParamInterface<PreselectCase> {};

TEST_P(Preselection, SelectsTheTypesOwnFilterEntry) {
    const PreselectCase& c = GetParam();
    const OpenDialogRequest& r = prepare(c.kind, c.path, nullptr, c.titled);
    EXPECT_EQ(defaultOf(r), c.defaultExtension);
    EXPECT_EQ(r.filterIndex, c.filterIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Preselection,
    ::testing::Values(
        // Image list: 1 image group, 2 BMP, 3 PNG, 4 PSD, 5 JPEG, 6 GIF, 7 AVI, 8 all files.
        PreselectCase{FileKind::Image, true, "x\\a.BMP", "bmp", 2},
        PreselectCase{FileKind::Image, true, "x\\a.jpg", "jpg", 5},
        PreselectCase{FileKind::Image, true, "x\\a.Jpeg", "bmp", 0},
        PreselectCase{FileKind::Image, true, "x\\a.tga", "bmp", 0},
        PreselectCase{FileKind::Image, false, "x\\a.png", "png", 3},
        PreselectCase{FileKind::Image, false, "x\\a.Jpeg", "jpe", 5},
        PreselectCase{FileKind::Image, false, "x\\a.gif", "gif", 6},
        PreselectCase{FileKind::Image, false, "x\\a.tga", "tga", 8},
        PreselectCase{FileKind::Image, false, "x\\a.tiff", "tif", 8},
        PreselectCase{FileKind::Image, false, "x\\a.psd", "bmp", 0},
        // Script list: 1 script group, 2 text, 3 INI, 4 all files.
        PreselectCase{FileKind::Script, true, "a.txt", "txt", 2},
        PreselectCase{FileKind::Script, false, "a.INI", "ini", 3},
        // Source list: the script entries, then the image entries from 4, all files 11.
        PreselectCase{FileKind::Source, true, "a.txt", "txt", 2},
        PreselectCase{FileKind::Source, true, "a.bmp", "bmp", 5},
        PreselectCase{FileKind::Source, false, "a.gif", "gif", 9},
        PreselectCase{FileKind::Source, true, "a.tga", "<none>", 0},
        PreselectCase{FileKind::Model, false, "m\\a.pmx", "pmx", 1},
        PreselectCase{FileKind::Model, true, "m\\a.pmd", "pmx", 0},
        PreselectCase{FileKind::Any, false, "a.txt", "txt", 0}));

TEST_F(OpenDialogRequestTest, EachKindHasItsFilterListAndTitle) {
    const OpenDialogRequest& r = prepare(FileKind::Any, "C:\\a.txt", nullptr, false);
    EXPECT_EQ(filterOf(r), kAll + kEnd);
    EXPECT_STREQ(r.title, "Open File");
    prepare(FileKind::Script, "", nullptr, false);
    EXPECT_EQ(filterOf(r), kScripts + kAll + kEnd);
    EXPECT_STREQ(r.title, "Open Script File");
    prepare(FileKind::Source, "", nullptr, true);
    EXPECT_EQ(filterOf(r), kScripts + kImages + kAll + kEnd);
    EXPECT_STREQ(r.title, "Open Source File");
    EXPECT_EQ(r.defaultExtension, nullptr);
}

TEST_F(OpenDialogRequestTest, UnknownKindIsRefused) {
    EXPECT_EQ(prepareOpenDialog(request.get(), 5, "a.png", nullptr, false), -1);
    EXPECT_EQ(prepareOpenDialog(request.get(), -1, "a.png", nullptr, false), -1);
}

TEST_F(OpenDialogRequestTest, OverlongInitialPathIsCutNotOverrun) {
    std::string path = "C:\\" + std::string(400, 'f') + "\\" + std::string(400, 'n') + ".png";
    const OpenDialogRequest& r = prepare(FileKind::Image, path.c_str(), nullptr, true);
    EXPECT_EQ(std::string(r.initialFolder), "C:\\");
    EXPECT_EQ(std::string(r.fileName), std::string(256, 'f'));
    EXPECT_EQ(r.filterIndex, 0u);
}

} // namespace
