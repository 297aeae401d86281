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
    // Vertices, faces, textures, materials, bones, morphs, frames, rigid bodies, joints.
    std::vector<int> counts;
    int softBodies;
    unsigned twistMask; // bit per twist slot (arm L, wrist L, arm R, wrist R) the model has
};

// Counts as listed in the fixtures' SOURCES.md: a UTF-16 model with all four twist bones, and
// a UTF-8 model of PMX 2.1 with a soft body.
const RealModel kRealModels[] = {
    {"appearance_miku/Appearance Miku.pmx", {22511, 37459, 20, 15, 130, 45, 12, 95, 115}, 0, 0xF},
    {"miu_sample/サンプルモデル_PMX2.1_UTF-8.pmx", {0, 0, 0, 0, 1, 0, 2, 0, 0}, 1, 0x0},
};

const std::string kFixtures = QV_REAL_MODELS_DIR;

// The program's inside form of a path: Shift-JIS with backslashes.
std::string insidePath(const std::string& utf8)
{
    std::vector<char> sjis(utf8.size() + 1);
    utf8ToSjisQuiet(sjis.data(), sjis.size(), utf8.c_str());
    return iotest::insidePath(sjis.data());
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
        // Read beside the copy, which is made only in the folder the model was read from.
        const Bytes original = readFile(kFixtures + "/" + m.file);
        ASSERT_FALSE(original.empty());
        const std::string local = file(std::strrchr(m.file, '/') + 1);
        ASSERT_TRUE(writeFile(local, original));
        const std::string source = insidePath(local);
        Outcome run = readModel(source);
        EXPECT_EQ(0, run.result);
        EXPECT_EQ(m.counts, (std::vector<int>{gModel.vertexCount, gModel.faceCount, gModel.textureCount,
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
        ASSERT_EQ(0, captured([&] { return writePatchedPmx(insidePath(file("copy.pmx")).c_str(), source.c_str()); }).result);
        EXPECT_TRUE(spliced(original, axes) == readFile(file("copy.pmx")));
    }
}

} // namespace
} // namespace pmxtest
