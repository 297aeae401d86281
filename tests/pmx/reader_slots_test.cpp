// The named-bone and twist slots, the texture table and the offsets the writer relies on:
// which bone fills which slot, in either file encoding, and what a new reading clears.
#include <cstring>

#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

class ReaderSlots : public ::testing::Test {
protected:
    ConsoleDefaults defaults;
    ScratchFolder folder;

    ReadRun read(const PmxRecipe& recipe, PmxLayout* layout = nullptr)
    {
        std::string path = folder.file("m.pmx");
        EXPECT_TRUE(writeFile(path, buildPmx(recipe, layout)));
        return runReader(path);
    }
};

void expectVec(const Vec3f& want, const Vec3& got)
{
    EXPECT_EQ(want.x, got.x);
    EXPECT_EQ(want.y, got.y);
    EXPECT_EQ(want.z, got.z);
}

// In typicalModel the twist bones are bones 3, 5, 8 and 10, the arm bones 2, 7 (arms),
// 4, 9 (elbows), 6, 11 (wrists).
void expectTypicalSlots(const PmxRecipe& s, const PmxLayout& layout)
{
    const int twistBones[kTwistSlotCount] = {3, 5, 8, 10};
    for (int t = 0; t < kTwistSlotCount; ++t) {
        SCOPED_TRACE(t);
        const TwistSlot& slot = gModel.twists[t];
        EXPECT_TRUE(slot.found);
        EXPECT_EQ(layout.fixedAxisOffsets[twistBones[t]], slot.axisOffset);
        expectVec(s.bones[twistBones[t]].fixedAxis, slot.axis);
    }
    const int armBones[kBoneSlotCount] = {2, 7, 4, 9, 6, 11};
    for (int b = 0; b < kBoneSlotCount; ++b) {
        SCOPED_TRACE(b);
        EXPECT_TRUE(gModel.bones[b].found);
        expectVec(s.bones[armBones[b]].position, gModel.bones[b].position);
    }
}

TEST_F(ReaderSlots, TwistAndArmBonesAreFoundInBothEncodings)
{
    for (std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE(encoding);
        PmxRecipe s = typicalModel(encoding);
        PmxLayout layout;
        read(s, &layout);
        expectTypicalSlots(s, layout);
        EXPECT_EQ(layout.textureBlockStart, gModel.textureBlockStart);
        EXPECT_EQ(layout.textureBlockEnd, gModel.textureBlockEnd);
    }
}

// Every index width and every record kind: the reader stays in step up to the bones.
TEST_F(ReaderSlots, WideIndicesAndEveryRecordKindKeepTheOffsetsRight)
{
    for (std::uint8_t width : {std::uint8_t{2}, std::uint8_t{4}}) {
        for (std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}}) {
            SCOPED_TRACE(width * 10 + encoding);
            PmxRecipe s = typicalModel(encoding);
            s.vertexIndexSize = s.textureIndexSize = s.materialIndexSize = width;
            s.boneIndexSize = s.morphIndexSize = s.rigidBodyIndexSize = width;
            s.additionalUvCount = 2;
            s.vertexDeformTypes = {0, 1, 2, 3, 4, 3};
            s.faceIndexCount = 9;
            s.materials[0].toonSharing = 0;
            s.materials[0].toon = 1;
            s.morphs.clear();
            for (std::uint8_t kind = 0; kind <= 10; ++kind) {
                MorphRecipe m;
                m.kind = kind;
                m.offsetCount = 2;
                s.morphs.push_back(m);
            }
            s.frames[0].elements = {FrameElementRecipe{0, 3}, FrameElementRecipe{1, 2}};
            s.rigidBodyCount = 2;
            JointRecipe j;
            j.type = 5;
            s.joints = {j, j};
            PmxLayout layout;
            ReadRun run = read(s, &layout);
            EXPECT_NE(std::string::npos, run.transcript.find("11 Morphs.\n1 Frames.\n2 Rigid-bodies.\n2 Joints.\nOK. \n"
                                                             "PMX 2.0: correctly read-in: OK. \ndone. \n"));
            expectTypicalSlots(s, layout);
        }
    }
}

TEST_F(ReaderSlots, ModelNamedOnlyInEnglishMatchesByEnglishName)
{
    PmxRecipe s = typicalModel(0);
    for (BoneRecipe& b : s.bones) b.name = "x" + b.englishName;
    PmxLayout layout;
    read(s, &layout);
    expectTypicalSlots(s, layout);
}

// A bone's Japanese name decides its slot; a wrong English name beside it does not count.
TEST_F(ReaderSlots, JapaneseNameWinsOverAWrongEnglishName)
{
    for (std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE(encoding);
        PmxRecipe s;
        s.encoding = encoding;
        s.bones = {twistBone("左腕捩", "arm_L", {0.0f, 1.0f, 0.0f}),
                   twistBone("右手首", "arm twist_R", {1.0f, 0.0f, 0.0f})};
        s.bones[1].position = {5.0f, 6.0f, 7.0f};
        PmxLayout layout;
        read(s, &layout);
        EXPECT_TRUE(gModel.twists[kArmTwistL].found);
        EXPECT_EQ(layout.fixedAxisOffsets[0], gModel.twists[kArmTwistL].axisOffset);
        EXPECT_FALSE(gModel.bones[kArmL].found);
        EXPECT_TRUE(gModel.bones[kWristR].found);
        expectVec({5.0f, 6.0f, 7.0f}, gModel.bones[kWristR].position);
        EXPECT_FALSE(gModel.twists[kArmTwistR].found);
        EXPECT_EQ(0, gModel.twists[kArmTwistR].axisOffset);
    }
}

TEST_F(ReaderSlots, RightArmTwistFilledByItsOwnNames)
{
    PmxRecipe s;
    s.bones = {plainBone("センター", "center", {}), twistBone("右腕捩", "arm twist_R", {-0.5f, -0.5f, 0.0f})};
    PmxLayout layout;
    read(s, &layout);
    EXPECT_TRUE(gModel.twists[kArmTwistR].found);
    EXPECT_EQ(layout.fixedAxisOffsets[1], gModel.twists[kArmTwistR].axisOffset);
    expectVec({-0.5f, -0.5f, 0.0f}, gModel.twists[kArmTwistR].axis);
    for (int t : {kArmTwistL, kWristTwistL, kWristTwistR}) EXPECT_FALSE(gModel.twists[t].found);
    for (const BoneSlot& b : gModel.bones) EXPECT_FALSE(b.found);
}

TEST_F(ReaderSlots, LaterBoneOfTheSameNameWins)
{
    PmxRecipe s;
    s.bones = {plainBone("左腕", "", {1.0f, 0.0f, 0.0f}), plainBone("左腕", "", {2.0f, 0.0f, 0.0f}),
               twistBone("左手捩", "", {0.0f, 1.0f, 0.0f}), twistBone("左手捩", "", {0.0f, 0.0f, 1.0f})};
    PmxLayout layout;
    read(s, &layout);
    expectVec({2.0f, 0.0f, 0.0f}, gModel.bones[kArmL].position);
    EXPECT_EQ(layout.fixedAxisOffsets[3], gModel.twists[kWristTwistL].axisOffset);
    expectVec({0.0f, 0.0f, 1.0f}, gModel.twists[kWristTwistL].axis);

    s.bones = {plainBone("左腕", "", {1.0f, 0.0f, 0.0f}), plainBone("other", "arm_L", {3.0f, 0.0f, 0.0f})};
    read(s);
    expectVec({3.0f, 0.0f, 0.0f}, gModel.bones[kArmL].position);
}

TEST_F(ReaderSlots, TwistNameWithoutFixedAxisIsNotFound)
{
    PmxRecipe s;
    s.bones = {plainBone("左腕捩", "arm twist_L", {1.0f, 2.0f, 3.0f})};
    read(s);
    EXPECT_FALSE(gModel.twists[kArmTwistL].found);
    EXPECT_EQ(0, gModel.twists[kArmTwistL].axisOffset);
    EXPECT_FALSE(gModel.bones[kArmL].found);
}

TEST_F(ReaderSlots, TexturesBeyondTheCapacityAreCountedNotKept)
{
    PmxRecipe s = typicalModel(0);
    s.textures.clear();
    for (int i = 0; i < 1030; ++i) s.textures.push_back("t" + std::to_string(i) + ".png");
    PmxLayout layout;
    ReadRun run = read(s, &layout);
    EXPECT_NE(std::string::npos, run.transcript.find("1030 Textures.\n1 Materials.\n"));
    EXPECT_EQ(1030, gModel.textureCount);
    EXPECT_EQ(1024, gModel.keptTextureCount);
    EXPECT_STREQ("t0.png", gModel.texturePaths[0]);
    EXPECT_STREQ("t1023.png", gModel.texturePaths[1023]);
    EXPECT_EQ(layout.textureBlockEnd, gModel.textureBlockEnd);
    expectTypicalSlots(s, layout);
}

// Texture paths arrive in Shift-JIS whatever the file's encoding; a long text is cut at 254
// bytes of the file's encoding.
TEST_F(ReaderSlots, TexturePathsAreConvertedAndCut)
{
    PmxRecipe s = typicalModel(0);
    s.textures = {"テクスチャ\\顔.png", std::string(300, 'a')};
    read(s);
    EXPECT_STREQ("\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83\\\x8A\xE7.png", gModel.texturePaths[0]);
    EXPECT_EQ(std::string(127, 'a'), gModel.texturePaths[1]);

    s.encoding = 1;
    read(s);
    EXPECT_STREQ("\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83\\\x8A\xE7.png", gModel.texturePaths[0]);
    EXPECT_EQ(std::string(254, 'a'), gModel.texturePaths[1]);
}

TEST_F(ReaderSlots, NextReadingClearsTheMarksButNotTheAxis)
{
    PmxRecipe s = typicalModel(0);
    read(s);
    ASSERT_TRUE(gModel.twists[kArmTwistL].found);
    gModel.twists[kArmTwistL].verdict = true;
    gModel.texturesChanged = true;
    gModel.textureRenewed[1] = true;

    PmxRecipe plain;
    plain.bones = {plainBone("センター", "center", {})};
    read(plain);
    EXPECT_FALSE(gModel.twists[kArmTwistL].found);
    EXPECT_EQ(0, gModel.twists[kArmTwistL].axisOffset);
    EXPECT_FALSE(gModel.twists[kArmTwistL].verdict);
    EXPECT_FALSE(gModel.texturesChanged);
    EXPECT_FALSE(gModel.textureRenewed[1]);
    expectVec(s.bones[3].fixedAxis, gModel.twists[kArmTwistL].axis);
    for (const BoneSlot& b : gModel.bones) EXPECT_FALSE(b.found);
}

// A reading that stops before the textures must not show the previous model's list.
TEST_F(ReaderSlots, FailedReadingShowsNoEarlierTextures)
{
    read(typicalModel(0));
    ASSERT_EQ(2, gModel.keptTextureCount);
    PmxRecipe broken = typicalModel(0);
    broken.vertexDeformTypes = {7};
    read(broken);
    EXPECT_EQ(0, gModel.textureCount);
    EXPECT_EQ(0, gModel.keptTextureCount);
    EXPECT_EQ(0, gModel.textureBlockStart);

    read(typicalModel(0));
    std::string path = folder.file("not.pmx");
    ASSERT_TRUE(writeFile(path, {'P', 'M', 'D', 0}));
    EXPECT_EQ(2, runReader(path).result);
    EXPECT_EQ(0, gModel.keptTextureCount);
}

} // namespace
} // namespace pmxtest
