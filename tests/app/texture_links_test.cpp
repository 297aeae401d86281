// Texture links: presence below the model's folder, never through a cut path, nor through a
// garbled twin renamed past a path buffer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/run_settings.h"
#include "app/texture_links.h"
#include "pmx/model.h"
#include "tests/support/io_test_files.h"

namespace {

void useModel(const std::string& folder, std::initializer_list<const char*> paths) {
    std::strcpy(gSettings.modelFolder, iotest::insidePath(folder).c_str());
    clearModelMarks();
    gModel.textureCount = gModel.keptTextureCount = static_cast<std::int32_t>(paths.size());
    int k = 0;
    for (const char* p : paths) std::strcpy(gModel.texturePaths[k++], p);
}

TEST(TextureLinks, JoinedPathTooLongForAPathBufferIsMissingNotCut) {
    // A folder whose path plus "x.png" is exactly 259 bytes, holding x.png: the texture
    // x.pngEXTRA, cut to 259 bytes, would name that file.
    iotest::TempFolder tmp;
    const std::string folder = tmp.file(std::string(254 - tmp.path().size() - 2, 'd')) + "/";
    ASSERT_EQ(folder.size(), 254u);
    std::filesystem::create_directories(folder);
    iotest::writeFile(folder + "x.png", "png");
    useModel(folder, {"x.png", "x.pngEXTRA"});
    iotest::Capture capture;
    EXPECT_EQ(checkTextureLinks(), 1);
    EXPECT_NE(capture.text().find("0: x.png (ok)\n1: x.pngEXTRA (=NG=)\n"), std::string::npos);
}

// The file of 髪.png exists only garbled (code page 437) in a folder whose path leaves it one
// byte too few: renamed, it is still no file a path buffer can name, so the link is not taken
// for repaired and goes on to the pick.
TEST(TextureLinks, RenamedTwinPastAPathBufferLeavesTheLinkBroken) {
    iotest::TempFolder tmp;
    const std::string folder = tmp.file(std::string(254 - tmp.path().size() - 2, 'd')) + "/";
    std::filesystem::create_directories(folder);
    iotest::writeFile(folder + "ö».png", "png");
    useModel(folder, {"\x94\xAF.png"});
    iotest::writeFile(tmp.file("answers"), "y\n"); // rename: yes; the pick then finds no answer
    ASSERT_NE(std::freopen(tmp.file("answers").c_str(), "r", stdin), nullptr);
    iotest::Capture capture;
    ASSERT_EQ(checkTextureLinks(), 1);
    EXPECT_STREQ(gLinkResults[0].candidate, ""); // the check names no file it could not open
    EXPECT_EQ(repairTextureLinks(), -1);
    EXPECT_EQ(capture.text().find("(renamed)"), std::string::npos) << capture.text();
    EXPECT_EQ(iotest::readFile(folder + "髪.png"), "png");
}

} // namespace
