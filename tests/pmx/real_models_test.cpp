// Models written by other tools (read from the shared fixtures folder, skipped when absent):
// each reads to its end with the section counts its source lists, its twist axes recorded at
// their offsets, and a save that corrects every twist axis changes those 12-byte stretches only.
#include <algorithm>
#include <cstring>

#include "tests/pmx/pmx_test_util.h"
#include "text/convert.h"

namespace pmxtest {
namespace {

struct RealModel {
    const char* file; // below the fixtures folder, UTF-8
    int vertices, faces, textures, materials, bones, morphs, frames, rigidBodies, joints;
    int softBodies;
    unsigned twistMask; // bit per twist slot (arm L, wrist L, arm R, wrist R) the model has
};

// Counts as listed in the fixtures' SOURCES.md.
const RealModel kRealModels[] = {
    {"appearance_miku/Appearance Miku.pmx", 22511, 37459, 20, 15, 130, 45, 12, 95, 115, 0, 0xF},
    {"appearance_miku/Appearance Miku_BDEF.pmx", 22511, 37459, 20, 16, 130, 45, 12, 95, 115, 0, 0xF},
    {"babylon_mmd/bone_flag_test.pmx", 0, 0, 0, 0, 3, 0, 2, 0, 0, 0, 0x0},
    {"babylon_mmd/bone_hierarchy_test.pmx", 0, 0, 0, 0, 5, 0, 2, 0, 0, 0, 0x0},
    {"babylon_mmd/bone_hierarchy_test2.pmx", 0, 0, 0, 0, 3, 0, 2, 0, 0, 0, 0x0},
    {"babylon_mmd/constraint_test.pmx", 48, 24, 0, 2, 2, 0, 2, 2, 1, 0, 0x0},
    {"babylon_mmd/constraint_test2.pmx", 48, 24, 0, 2, 2, 0, 2, 2, 1, 0, 0x0},
    {"babylon_mmd/constraint_test3.pmx", 48, 24, 0, 2, 2, 0, 2, 2, 1, 0, 0x0},
    {"babylon_mmd/constraint_test4.pmx", 48, 24, 0, 2, 2, 0, 2, 2, 1, 0, 0x0},
    {"babylon_mmd/matcap_sample.pmx", 2452, 4900, 1, 1, 2, 0, 2, 0, 0, 0, 0x0},
    {"babylon_mmd/uv_morph_test.pmx", 24, 12, 1, 1, 2, 0, 2, 0, 0, 0, 0x0},
    {"blender2pmxem/default.pmx", 24, 12, 0, 1, 100, 52, 11, 0, 0, 0, 0xF},
    {"blender2pmxem/sample_finish.pmx", 5961, 9710, 0, 13, 101, 9, 11, 27, 39, 0, 0xF},
    {"blender2pmxem/tests_data/test_01.pmx", 14, 12, 0, 1, 1, 1, 3, 1, 2, 0, 0x0},
    {"blender2pmxem/tests_data/test_02_vertex_64009.pmx", 64010, 127008, 0, 1, 1, 0, 3, 0, 0, 0, 0x0},
    {"blender2pmxem/tests_data/test_02_vertex_66409.pmx", 66049, 131072, 0, 1, 1, 0, 3, 0, 0, 0, 0x0},
    {"gene/Gene.pmx", 28646, 47106, 10, 13, 224, 184, 15, 87, 92, 0, 0xF},
    {"gene/Gene_light.pmx", 28646, 47106, 10, 13, 224, 184, 15, 87, 92, 0, 0xF},
    {"miu_sample/mmd_base/ボーンツリーテストモデル.pmx", 0, 0, 0, 0, 221, 0, 3, 0, 0, 0, 0xF},
    {"miu_sample/mmd_base/平面重ね.pmx", 8, 4, 0, 2, 3, 0, 2, 0, 0, 0, 0x0},
    {"miu_sample/mmd_base/材質3つ.pmx", 114, 182, 0, 3, 4, 0, 2, 0, 0, 0, 0x0},
    {"miu_sample/mmd_base/柱tex.pmx", 168, 216, 1, 1, 2, 0, 2, 0, 0, 0, 0x0},
    {"miu_sample/サンプルモデル_PMX2.1_UTF-8.pmx", 0, 0, 0, 0, 1, 0, 2, 0, 0, 1, 0x0},
    {"miu_sample/平面.pmx", 4, 2, 0, 1, 2, 0, 2, 0, 0, 0, 0x0},
    {"miu_sample/平面2つ.pmx", 8, 4, 0, 2, 3, 0, 2, 0, 0, 0, 0x0},
    {"miu_sample/平面3つ.pmx", 12, 6, 0, 3, 4, 0, 3, 0, 0, 0, 0x0},
    {"miu_sample/曲げ柱tex.pmx", 170, 216, 1, 1, 2, 1, 3, 0, 0, 0, 0x0},
    {"nanoem/effects/main.pmx", 0, 0, 4, 17, 140, 30, 9, 0, 0, 0, 0x0},
    {"nanoem/test.pmx", 0, 0, 4, 1, 140, 30, 9, 0, 0, 0, 0x0},
    {"yw_fixtures/test_1bone_cube.pmx", 14, 12, 0, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_fixtures/test_append_bone.pmx", 0, 0, 0, 0, 9, 0, 3, 0, 0, 0, 0x0},
    {"yw_fixtures/test_basic_bone.pmx", 0, 0, 0, 0, 79, 0, 9, 0, 0, 0, 0x0},
    {"yw_fixtures/test_fix_axis.pmx", 0, 0, 0, 0, 5, 0, 2, 0, 0, 0, 0x0},
    {"yw_fixtures/test_given_bone_comprehensive.pmx", 0, 0, 0, 0, 23, 0, 3, 0, 0, 0, 0x0},
    {"yw_fixtures/test_semi_basic_bone.pmx", 0, 0, 0, 0, 100, 0, 9, 0, 0, 0, 0xF},
    {"yw_generated/bdef1-single-bone-quad.pmx", 4, 2, 0, 1, 2, 0, 1, 0, 0, 0, 0x0},
    {"yw_generated/bdef2-two-bone-strip.pmx", 40, 64, 0, 1, 2, 0, 1, 0, 0, 0, 0x0},
    {"yw_generated/bdef4-twist-cylinder.pmx", 56, 96, 0, 1, 4, 0, 1, 0, 0, 0, 0x0},
    {"yw_generated/mixed-deform-types.pmx", 20, 10, 0, 1, 4, 0, 1, 0, 0, 0, 0x0},
    {"yw_generated/mmd-alpha-blend-overlap.pmx", 48, 24, 0, 2, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-diffuse-lit-box.pmx", 24, 12, 0, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-material-morph-alpha-opaque-depth.pmx", 48, 24, 0, 2, 1, 1, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-material-order-body-outline-interleave.pmx", 48, 24, 0, 2, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-outline-normal-silhouette.pmx", 24, 12, 0, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-png-hair-shadow-alpha-morph-blend.pmx", 48, 24, 1, 2, 1, 1, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-sphere-texture-add.pmx", 24, 12, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-sphere-texture-multiply.pmx", 24, 12, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-texture-alpha-atlas-padding-ignored.pmx", 24, 12, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-texture-alpha-used-uv-cutout.pmx", 24, 12, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-texture-uv-orientation-plane.pmx", 4, 2, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-tga-hair-shadow-overlay-alpha-blend.pmx", 48, 24, 1, 2, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-tga-regular-hair-alpha-opaque.pmx", 24, 12, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/mmd-toon-ramp-lit-box.pmx", 24, 12, 1, 1, 1, 0, 2, 0, 0, 0, 0x0},
    {"yw_generated/qdef-twist-cylinder.pmx", 56, 96, 0, 1, 4, 0, 1, 0, 0, 0, 0x0},
    {"yw_test_model/mmt_test_model.pmx", 1822, 3516, 0, 1, 114, 0, 9, 19, 0, 0, 0xF},
    {"yw_test_model/yw_test_model.pmx", 2141, 3516, 2, 1, 114, 0, 9, 19, 0, 0, 0xF},
};

const std::string kFixtures = QV_REAL_MODELS_DIR;

// The program's inside form of a path: Shift-JIS with backslashes.
std::string insidePath(const std::string& utf8)
{
    std::vector<char> sjis(utf8.size() + 1);
    utf8ToSjisQuiet(sjis.data(), sjis.size(), utf8.c_str());
    std::string out(sjis.data());
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

class RealModels : public PmxTest {
protected:
    void SetUp() override
    {
        if (readFile(kFixtures + "/SOURCES.md").empty()) GTEST_SKIP() << "no fixtures at " << kFixtures;
    }
};

TEST_F(RealModels, EveryModelReadsToItsEndWithTheListedCountsAndSavesOnlyItsAxes)
{
    for (const RealModel& m : kRealModels) {
        SCOPED_TRACE(m.file);
        const std::string source = insidePath(kFixtures + "/" + m.file);
        const Bytes original = readFile(kFixtures + "/" + m.file);
        ASSERT_FALSE(original.empty());
        Outcome run = readModel(source);
        EXPECT_EQ(0, run.result);
        const std::vector<int> listed = {m.vertices, m.faces, m.textures, m.materials, m.bones,
                                         m.morphs, m.frames, m.rigidBodies, m.joints};
        EXPECT_EQ(listed, (std::vector<int>{gModel.vertexCount, gModel.faceCount, gModel.textureCount,
                                            gModel.materialCount, gModel.boneCount, gModel.morphCount,
                                            gModel.displayFrameCount, gModel.rigidBodyCount, gModel.jointCount}));
        const std::string ending = m.softBodies > 0 ? "OK. \nPMX 2.1: reading extended data ...\ndone. \n\n"
                                                    : "OK. \nPMX 2.0: correctly read-in: OK. \ndone. \n\n";
        EXPECT_EQ(ending, run.text.substr(run.text.size() - std::min(run.text.size(), ending.size())));
        EXPECT_EQ(std::string::npos, run.text.find("Err: "));

        std::vector<Splice> axes;
        const Bytes corrected = {0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0xBE, 0x00, 0x00, 0x80, 0x3F};
        for (int t = 0; t < kTwistSlotCount; ++t) {
            TwistSlot& slot = gModel.twists[t];
            EXPECT_EQ((m.twistMask >> t) & 1u, slot.found ? 1u : 0u) << "twist " << t;
            if (!slot.found) continue;
            // The recorded offset holds the axis that was read.
            ASSERT_LE(static_cast<std::size_t>(slot.axisOffset) + 12, original.size());
            EXPECT_EQ(0, std::memcmp(&original[static_cast<std::size_t>(slot.axisOffset)], &slot.axis, 12));
            slot.verdict = true;
            slot.correctedAxis = Vec3{0.5f, -0.25f, 1.0f};
            axes.push_back(Splice{slot.axisOffset, 12, corrected});
        }
        std::sort(axes.begin(), axes.end(), [](const Splice& a, const Splice& b) { return a.at < b.at; });
        const std::string copy = file("copy.pmx");
        ASSERT_EQ(0, captured([&] { return writePatchedPmx(copy.c_str(), source.c_str()); }).result);
        EXPECT_TRUE(spliced(original, axes) == readFile(copy));
    }
}

// Vertex records two bytes short: the reading goes out of step and must end on an error
// message without harm.
TEST_F(RealModels, MalformedModelEndsOnItsErrorMessage)
{
    Outcome run = readModel(insidePath(kFixtures + "/yw_fixtures/joint_orient_test.pmx"));
    EXPECT_EQ(0, run.result);
    EXPECT_NE(std::string::npos, run.text.find("Err: "));
    EXPECT_EQ(std::string::npos, run.text.find("done. \n"));
}

} // namespace
} // namespace pmxtest
