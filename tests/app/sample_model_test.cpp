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
    // Texture 0, sphere texture 1 multiplied, the shared toon 0, one face.
    s.materials = {{"材質", "material", 0, 1, 1, 1, 0, 3}};
    for (const float m : {1.0f, -1.0f}) {
        const std::string ja = m > 0 ? "左" : "右";
        const std::string en = m > 0 ? "_L" : "_R";
        s.bones.push_back(plainBone(ja + "腕", "arm" + en, {m, 15.0f, 0.0f}));
        s.bones.push_back(plainBone(ja + "ひじ", "elbow" + en, {4 * m, 11.0f, 0.0f}));
        s.bones.push_back(plainBone(ja + "手首", "wrist" + en, {7 * m, 7.0f, 0.0f}));
        s.bones.push_back(twistBone(ja + "腕捩", "arm twist" + en, {0.6f * m, -0.8f, 0.0f}, {2.5f * m, 13.0f, 0.0f}));
        // The left one should be (0.6, -0.8, 0).
        const pmxtest::Vec3f wristAxis = m > 0 ? pmxtest::Vec3f{0.8f, 0.6f, 0.0f} : pmxtest::Vec3f{-0.6f, -0.8f, 0.0f};
        s.bones.push_back(twistBone(ja + "手捩", "wrist twist" + en, wristAxis, {5.5f * m, 9.0f, 0.0f}));
    }
    return s;
}

TEST(SampleModel, CommittedModelMatchesItsRecipe) {
    const std::string dir = std::string(QV_SOURCE_DIR) + "/examples/sample/";
    const std::vector<std::uint8_t> bytes = pmxtest::buildPmx(sampleModel());
    if (std::getenv("QV_WRITE_SAMPLE") != nullptr) {
        ASSERT_TRUE(pmxtest::writeFile(dir + "sample.pmx", bytes));
    }
    EXPECT_EQ(pmxtest::readFile(dir + "sample.pmx"), bytes);
    for (const char* image : {"img/a.png", "img/b.png"}) EXPECT_TRUE(std::filesystem::exists(dir + image)) << image;
    EXPECT_FALSE(std::filesystem::exists(dir + "tex"));
}

} // namespace
