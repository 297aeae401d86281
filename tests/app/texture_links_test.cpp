// Texture links: presence below the model's folder (never through a cut path), inference in
// the order learned, what a pick teaches, and the end of the run after a cancelled dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "app/run_settings.h"
#include "app/texture_links.h"
#include "pmx/model.h"
#include "tests/support/io_test_files.h"
#include "tests/support/stdin_feed.h"
#include "text/language.h"

namespace {

class TextureLinks : public ::testing::Test {
protected:
    void SetUp() override {
        setJapaneseMode(false);
        clearModelMarks();
        clearFolderRemaps();
        std::filesystem::create_directories(tmp.file("m/img"));
        std::filesystem::create_directories(tmp.file("common"));
        iotest::writeFile(tmp.file("m/img/a.png"), "png");
        iotest::writeFile(tmp.file("m/img/b.png"), "png");
        iotest::writeFile(tmp.file("m/ok.png"), "png");
        iotest::writeFile(tmp.file("common/c.png"), "png");
        setModelFolder(tmp.file("m/"));
    }
    static void setModelFolder(const std::string& outside) {
        std::string inside = iotest::insidePath(outside);
        ASSERT_LT(inside.size(), sizeof gSettings.modelFolder);
        std::strcpy(gSettings.modelFolder, inside.c_str());
    }
    static void textures(std::initializer_list<const char*> paths) {
        int k = 0;
        for (const char* p : paths) std::strcpy(gModel.texturePaths[k++], p);
        gModel.keptTextureCount = k;
        gModel.textureCount = k;
    }
    static void learned(const char* oldFolder, const char* newFolder) {
        FolderRemap& e = gFolderRemaps.entries[gFolderRemaps.count++];
        std::strcpy(e.oldFolder, oldFolder);
        std::strcpy(e.newFolder, newFolder);
    }
    iotest::TempFolder tmp;
};

const char kSearchPrompt[] = "\n Texture or sphere: \r\n \r\n a.png \r\n \r\n not found.  \r\n"
                             " Please select it on the next dialogue. (continue:OK) \r\n => OK \n";

TEST_F(TextureLinks, CheckListsEveryEntryAndCountsTheBrokenOnes) {
    textures({"ok.png", "tex\\a.png", "img\\b.png"});
    iotest::Capture capture;
    EXPECT_EQ(checkTextureLinks(), 1);
    EXPECT_EQ(capture.text(), "pmx dir: " + std::string(gSettings.modelFolder) + " \n"
                              "0: ok.png (ok)\n1: tex\\a.png (=NG=)\n2: img\\b.png (ok)\n\n");
}

TEST_F(TextureLinks, JoinedPathTooLongForAPathBufferIsMissingNotCut) {
    // A folder whose path plus "x.png" is exactly 259 bytes, holding x.png: the texture
    // x.pngEXTRA, cut to 259 bytes, would name that file.
    const std::string base = tmp.file("");
    const std::string folder = base + std::string(254 - base.size() - 1, 'd') + "/";
    ASSERT_EQ(folder.size(), 254u);
    std::filesystem::create_directories(folder);
    iotest::writeFile(folder + "x.png", "png");
    setModelFolder(folder);
    textures({"x.png", "x.pngEXTRA"});
    iotest::Capture capture;
    EXPECT_EQ(checkTextureLinks(), 1);
    EXPECT_NE(capture.text().find("0: x.png (ok)\n1: x.pngEXTRA (=NG=)\n"), std::string::npos);
}

TEST_F(TextureLinks, InferenceTakesTheFirstLearnedFolderWhoseFileExists) {
    textures({"tex\\a.png", "ok.png"});
    learned("tex\\", "gone\\");
    learned("TEX\\", "img\\"); // folders compare with their case
    learned("tex\\", "img\\");
    iotest::Capture capture;
    ASSERT_EQ(repairTextureLinks(), 0);
    EXPECT_EQ(capture.text(), "--- \n0: tex\\a.png (inferred) => (renew) img\\a.png \n"
                              "1: ok.png (ok)\n\n");
    EXPECT_STREQ(gModel.correctedTexturePaths[0], "img\\a.png");
    EXPECT_STREQ(gModel.correctedTexturePaths[1], "ok.png");
    EXPECT_TRUE(gModel.textureRenewed[0]);
    EXPECT_FALSE(gModel.textureRenewed[1]);
    EXPECT_TRUE(gModel.texturesChanged);
    EXPECT_EQ(gFolderRemaps.count, 3); // an inference teaches nothing
}

TEST_F(TextureLinks, PickInASiblingFolderIsStoredClimbingAndLearned) {
    textures({"tex\\c.png"});
    iotest::Capture capture;
    apptest::feedStdin("\n" + tmp.file("common/c.png") + "\n");
    ASSERT_EQ(repairTextureLinks(), 0);
    EXPECT_STREQ(gModel.correctedTexturePaths[0], "..\\common\\c.png");
    ASSERT_EQ(gFolderRemaps.count, 1);
    EXPECT_STREQ(gFolderRemaps.entries[0].oldFolder, "tex\\");
    EXPECT_STREQ(gFolderRemaps.entries[0].newFolder, "..\\common\\");
    EXPECT_NE(capture.text().find("\n => (renew) ..\\common\\c.png \n\n"), std::string::npos);
}

TEST_F(TextureLinks, FullTableLearnsNothing) {
    for (int i = 0; i < kFolderRemapCapacity; ++i) learned("other\\", "img\\");
    textures({"tex\\a.png"});
    apptest::feedStdin("\nimg/a.png\n");
    iotest::Capture capture;
    ASSERT_EQ(repairTextureLinks(), 0);
    EXPECT_EQ(gFolderRemaps.count, kFolderRemapCapacity);
    EXPECT_STREQ(gFolderRemaps.entries[kFolderRemapCapacity - 1].oldFolder, "other\\");
    EXPECT_STREQ(gModel.correctedTexturePaths[0], "img\\a.png");
}

TEST_F(TextureLinks, CancelledDialogEndsTheRunNamingNoFile) {
    textures({"tex\\a.png"});
    apptest::feedStdin("\nimg/a.png\n"); // a first pick leaves a path behind
    {
        iotest::Capture capture;
        ASSERT_EQ(repairTextureLinks(), 0);
    }
    clearFolderRemaps();
    gModel.texturesChanged = false;
    gModel.textureRenewed[0] = false;
    apptest::feedStdin("\n\n"); // OK, then an empty file name: the dialog is cancelled
    iotest::Capture capture;
    EXPECT_EQ(repairTextureLinks(), -1);
    EXPECT_EQ(capture.text(), std::string("--- \n0: tex\\a.png ") + kSearchPrompt +
                                  "\nCanceled File-Open Dialog Box. (stat=0000).\n"
                                  "\nCannot find tex(0) again:  \n\n");
    EXPECT_FALSE(gModel.texturesChanged);
}

TEST_F(TextureLinks, CancelOnTheContinuePromptEndsTheRun) {
    textures({"tex\\a.png"});
    apptest::feedStdin("c\n");
    iotest::Capture capture;
    EXPECT_EQ(repairTextureLinks(), -1);
    std::string prompt = kSearchPrompt;
    prompt = prompt.substr(0, prompt.size() - std::strlen(" => OK \n"));
    EXPECT_EQ(capture.text(), "--- \n0: tex\\a.png " + prompt + " => Cancel \n\n");
}

} // namespace
