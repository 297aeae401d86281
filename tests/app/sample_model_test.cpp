// The sample under examples/sample: a small model whose two texture links point at tex\, where
// no image is (they were moved to img\), and whose left wrist twist has a wrong fixed axis. The
// committed sample.pmx must be what this recipe builds; to renew it after changing the recipe:
// QV_WRITE_SAMPLE=1 app_tests --gtest_filter=SampleModel.*
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/pmx_builder.h"

namespace {

pmxtest::PmxRecipe sampleModel() {
    using pmxtest::plainBone;
    using pmxtest::twistBone;
    pmxtest::PmxRecipe s;
    s.modelName = "サンプル";
    s.modelNameEnglish = "sample";
    s.comment = "テクスチャは img へ移動済み";
    s.commentEnglish = "Textures moved from tex to img; left wrist twist axis off.";
    s.vertexDeformTypes = {0, 0, 0};
    s.faceIndexCount = 3;
    s.textures = {"tex\\a.png", "tex\\b.png"};
    s.materials.resize(1);
    pmxtest::MaterialRecipe& m = s.materials[0];
    m.name = "材質";
    m.englishName = "material";
    m.texture = 0;
    m.sphereTexture = 1;
    m.sphereMode = 1;
    m.toonSharing = 1;
    m.toon = 0;
    m.faceVertexCount = 3;
    s.bones = {
        plainBone("左腕", "arm_L", {1.0f, 15.0f, 0.0f}),
        plainBone("左ひじ", "elbow_L", {4.0f, 11.0f, 0.0f}),
        plainBone("左手首", "wrist_L", {7.0f, 7.0f, 0.0f}),
        twistBone("左腕捩", "arm twist_L", {0.6f, -0.8f, 0.0f}, {2.5f, 13.0f, 0.0f}),
        twistBone("左手捩", "wrist twist_L", {0.8f, 0.6f, 0.0f}, {5.5f, 9.0f, 0.0f}), // should be (0.6, -0.8, 0)
        plainBone("右腕", "arm_R", {-1.0f, 15.0f, 0.0f}),
        plainBone("右ひじ", "elbow_R", {-4.0f, 11.0f, 0.0f}),
        plainBone("右手首", "wrist_R", {-7.0f, 7.0f, 0.0f}),
        twistBone("右腕捩", "arm twist_R", {-0.6f, -0.8f, 0.0f}, {-2.5f, 13.0f, 0.0f}),
        twistBone("右手捩", "wrist twist_R", {-0.6f, -0.8f, 0.0f}, {-5.5f, 9.0f, 0.0f}),
    };
    return s;
}

TEST(SampleModel, CommittedModelMatchesItsRecipe) {
    const std::string dir = std::string(QV_SOURCE_DIR) + "/examples/sample/";
    const std::vector<std::uint8_t> bytes = pmxtest::buildPmx(sampleModel());
    if (std::getenv("QV_WRITE_SAMPLE") != nullptr) {
        ASSERT_TRUE(pmxtest::writeFile(dir + "sample.pmx", bytes));
    }
    EXPECT_EQ(pmxtest::readFile(dir + "sample.pmx"), bytes);
    EXPECT_TRUE(std::filesystem::exists(dir + "img/a.png"));
    EXPECT_TRUE(std::filesystem::exists(dir + "img/b.png"));
    EXPECT_FALSE(std::filesystem::exists(dir + "tex"));
}

} // namespace
