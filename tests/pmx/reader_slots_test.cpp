// Which bone fills which named-bone and twist slot, and the axis offsets the writer patches:
// names in either language, amid records of every kind; and texture paths, escaped whole or
// refused, and of an odd UTF-16 length.
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

// The typical model's other sections widened to every record kind, around the given bones.
PmxRecipe everyRecordKind(const std::vector<BoneRecipe>& bones, int encoding, int indexWidth)
{
    PmxRecipe s = typicalModel(static_cast<std::uint8_t>(encoding));
    const std::uint8_t width = static_cast<std::uint8_t>(indexWidth);
    s.bones = bones;
    s.vertexIndexSize = s.textureIndexSize = s.materialIndexSize = width;
    s.boneIndexSize = s.morphIndexSize = s.rigidBodyIndexSize = width;
    s.additionalUvCount = 2;
    s.vertexDeformTypes = {0, 1, 2, 3, 4, 3};
    s.faceIndexCount = 9;
    s.materials[0].toonSharing = 0;
    s.materials[0].toon = 1;
    s.morphs.clear();
    for (std::uint8_t kind = 0; kind <= 10; ++kind) s.morphs.push_back(MorphRecipe{"morph", kind, 2});
    s.frames[0].elements = {FrameElementRecipe{0, 3}, FrameElementRecipe{1, 2}};
    s.rigidBodyCount = 2;
    s.joints = {{}, {5}};
    return s;
}

template <class V>
std::vector<float> xyz(const V& v)
{
    return {v.x, v.y, v.z};
}
const std::vector<float> none;

// The typical model's bones with only their Japanese, or only their English, names.
std::vector<BoneRecipe> renamed(bool japanese)
{
    std::vector<BoneRecipe> bones = typicalModel(0).bones;
    for (BoneRecipe& b : bones) (japanese ? b.englishName : b.name) = japanese ? "" : "x" + b.englishName;
    return bones;
}

struct SlotCase {
    const char* what;
    int encoding, indexWidth;
    std::vector<BoneRecipe> bones;
    int twist[kTwistSlotCount]; // the bone that fills each twist slot; -1 none
    int bone[kBoneSlotCount];   // arm L, arm R, elbow L, elbow R, wrist L, wrist R
};

const SlotCase kSlotCases[] = {
    {"English names only", 0, 1, renamed(false), {3, 5, 8, 10}, {2, 7, 4, 9, 6, 11}},
    {"Japanese names only", 0, 1, renamed(true), {3, 5, 8, 10}, {2, 7, 4, 9, 6, 11}},
    {"Japanese names only", 1, 1, renamed(true), {3, 5, 8, 10}, {2, 7, 4, 9, 6, 11}},
    {"the Japanese name wins over a wrong English name", 0, 1,
     {twistBone("左腕捩", "arm_L", {0, 1, 0}), twistBone("右手首", "arm twist_R", {1, 0, 0}, {5, 6, 7})},
     {0, -1, -1, -1}, {-1, -1, -1, -1, -1, 1}},
    // A bone named in English only comes after: a wrist tip named wrist_R takes no slot that a
    // Japanese name filled; before, it yields the slot.
    {"a later bone of the same name wins, but not by its English name alone", 0, 4,
     {plainBone("左腕", "", {1, 0, 0}), plainBone("左腕", "", {2, 0, 0}), twistBone("左手捩", "", {0, 1, 0}),
      twistBone("左手捩", "", {0, 0, 1}), plainBone("右腕", "", {3, 0, 0}), plainBone("x", "arm_R", {4, 0, 0}),
      plainBone("x", "wrist_R", {5, 0, 0}), plainBone("右手首", "", {6, 0, 0}),
      twistBone("x", "wrist twist_L", {1, 0, 0})},
     {-1, 3, -1, -1}, {1, 4, -1, -1, -1, 7}},
};

class ReaderSlots : public PmxTest {};

TEST_F(ReaderSlots, EachSlotHoldsItsBoneAndAxisOffset)
{
    for (const SlotCase& c : kSlotCases) {
        SCOPED_TRACE(::testing::Message() << c.what << ", encoding " << c.encoding << ", width " << c.indexWidth);
        PmxLayout layout;
        Outcome run = read(everyRecordKind(c.bones, c.encoding, c.indexWidth), &layout);
        EXPECT_NE(std::string::npos, run.text.find("11 Morphs.\n1 Frames.\n2 Rigid-bodies.\n2 Joints.\nOK. \n"
                                                   "PMX 2.0: correctly read-in: OK. \ndone. \n\n"));
        EXPECT_EQ(layout.textureBlockStart, gModel.textureBlockStart);
        EXPECT_EQ(layout.textureBlockEnd, gModel.textureBlockEnd);
        // A slot found shows its value, one not found none.
        for (int t = 0; t < kTwistSlotCount; ++t) {
            const int b = c.twist[t];
            const TwistSlot& slot = gModel.twists[t];
            EXPECT_EQ(b >= 0 ? xyz(c.bones[b].fixedAxis) : none, slot.found ? xyz(slot.axis) : none) << "twist " << t;
            EXPECT_EQ(b >= 0 ? layout.fixedAxisOffsets[b] : 0, slot.axisOffset) << "twist " << t;
        }
        for (int s = 0; s < kBoneSlotCount; ++s) {
            const int b = c.bone[s];
            const BoneSlot& slot = gModel.bones[s];
            EXPECT_EQ(b >= 0 ? xyz(c.bones[b].position) : none, slot.found ? xyz(slot.position) : none) << "bone " << s;
        }
    }
}

// Every name comes in whole, escaped where Shift-JIS has no code: a Hangul path of 129
// characters fills 516 bytes, one of 130 no longer fits and is kept without its cut escape,
// marked too long; bytes that are no UTF-8 are carried, not dropped.
TEST_F(ReaderSlots, EscapedPathsAreWholeOrTooLongNeverShortenedToAnotherName)
{
    const std::string han = "\xED\x95\x9C", escaped = "\xFD\xAD\xB5\xBC"; // 한, U+D55C: 13, 21, 28
    std::string fits;
    for (int i = 0; i < 129; ++i) fits += escaped;
    PmxRecipe s = typicalModel(0);
    s.textures = {std::string(), std::string()};
    for (int i = 0; i < 129; ++i) s.textures[0] += han;
    s.textures[1] = s.textures[0] + han;
    read(s);
    EXPECT_TRUE((std::vector<std::string>{fits, fits}) == std::vector<std::string>(gModel.texturePaths, gModel.texturePaths + 2));
    EXPECT_EQ((std::vector<bool>{false, true}), std::vector<bool>(gModel.textureTooLong, gModel.textureTooLong + 2));
    s = typicalModel(1);
    s.textures = {"tex\\\x94\xAF.png"}; // 髪 in raw Shift-JIS bytes, in a UTF-8 model
    read(s);
    EXPECT_STREQ("tex\\\xFF\xA2\xB4\xFF\xA2\xCF.png", gModel.texturePaths[0]);
}

// A UTF-16 path of odd length ends after its last byte, not in what a longer path before it left.
TEST_F(ReaderSlots, OddLengthUtf16PathEndsAtItsLastByte)
{
    PmxRecipe s = typicalModel(0);
    s.textures = {"abあ", "ab"};
    PmxLayout layout;
    const Bytes bytes = buildPmx(s, &layout);
    readBytes(spliced(bytes, {Splice{layout.textureEntryStarts[1], 8, {3, 0, 0, 0, 'a', 0, 'b'}}}));
    EXPECT_STREQ("ab", gModel.texturePaths[1]);
}

} // namespace
} // namespace pmxtest
