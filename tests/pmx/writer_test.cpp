// The repaired copy: byte for byte the source outside the replaced stretches, renewed texture
// entries and corrected axes in place, and a failed or refused save that damages nothing.
#include <cstring>

#include "io/write_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

// 0.5, -0.25, 1.0 as little-endian floats: the corrected axis every test asks for.
const Bytes kAxisBytes = {0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0xBE, 0x00, 0x00, 0x80, 0x3F};

Bytes utf16Entry(const std::string& ascii)
{
    Bytes out = {static_cast<std::uint8_t>(2 * ascii.size()), 0, 0, 0};
    for (char c : ascii) out.insert(out.end(), {static_cast<std::uint8_t>(c), 0});
    return out;
}

class Writer : public PmxTest {
protected:
    Bytes original;
    PmxLayout layout;

    void TearDown() override
    {
        WriteStream::failAfterBytesForTesting(-1);
        PmxTest::TearDown();
    }
    // Writes and reads the source; the model then holds its marks, and no repair is decided.
    void readSource(const PmxRecipe& recipe)
    {
        original = buildPmx(recipe, &layout);
        Outcome run = readBytes(original);
        ASSERT_EQ(0, run.result);
        ASSERT_NE(std::string::npos, run.text.find("done. \n"));
    }
    void renew(int k, const char* sjisPath)
    {
        gModel.texturesChanged = gModel.textureRenewed[k] = true;
        std::strcpy(gModel.correctedTexturePaths[k], sjisPath);
    }
    void correct(int slot)
    {
        gModel.twists[slot].verdict = true;
        gModel.twists[slot].correctedAxis = Vec3{0.5f, -0.25f, 1.0f};
    }
    std::string destination() const { return file("m-new.pmx"); }
    Outcome save() { return captured([&] { return writePatchedPmx(destination().c_str(), path.c_str()); }); }
    Splice axisOf(int bone) const { return Splice{layout.fixedAxisOffsets[bone], 12, kAxisBytes}; }
    Splice entry(std::size_t k, const Bytes& put) const
    {
        const auto& starts = layout.textureEntryStarts;
        const std::int32_t end = k + 1 < starts.size() ? starts[k + 1] : layout.textureBlockEnd;
        return Splice{starts[k], end - starts[k], put};
    }
};

TEST_F(Writer, NoRepairGivesAByteForByteCopy)
{
    for (std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}}) {
        readSource(typicalModel(encoding));
        Outcome run = save();
        EXPECT_EQ(0, run.result);
        EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \n\n", run.text);
        EXPECT_EQ(original, readFile(destination()));
        EXPECT_TRUE(readFile(destination() + ".tmp").empty());
    }
}

TEST_F(Writer, AxisOnlyReplacesItsTwelveBytes)
{
    readSource(typicalModel(0));
    correct(kWristTwistR);
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(spliced(original, {axisOf(10)}), readFile(destination()));
}

// The axis offsets count source bytes, so a longer texture block before them moves nothing out
// of place; a path past 513 units is written whole, in step with its length field.
TEST_F(Writer, LongerRenewedPathStillLandsTheLaterAxis)
{
    readSource(typicalModel(0));
    renew(0, std::string(519, 'a').c_str());
    correct(kArmTwistL);
    EXPECT_EQ(0, save().result);
    Bytes longEntry = {0x0E, 0x04, 0, 0}; // 1038 bytes
    for (int i = 0; i < 519; ++i) longEntry.insert(longEntry.end(), {'a', 0});
    EXPECT_EQ(spliced(original, {entry(0, longEntry), axisOf(3)}), readFile(destination()));
}

// Entries that were not renewed keep their bytes, even with characters that have no Shift-JIS
// code (an emoji as a surrogate pair, Hangul).
TEST_F(Writer, UntouchedEntriesKeepTheirBytes)
{
    PmxRecipe recipe = typicalModel(0);
    recipe.textures = {"\xF0\x9F\x98\x80.png", "old.png", "\xED\x95\x9C\xEA\xB8\x80.bmp"};
    readSource(recipe);
    renew(1, "new\\\x8A\xE7.png"); // new\顔.png
    EXPECT_EQ(0, save().result);
    const Bytes renewed = {18, 0, 0, 0, 'n', 0, 'e', 0, 'w', 0, '\\', 0, 0x54, 0x98, '.', 0, 'p', 0, 'n', 0, 'g', 0};
    EXPECT_EQ(spliced(original, {entry(1, renewed)}), readFile(destination()));
}

// A path that is not Shift-JIS is written empty with a notice; the others are re-encoded.
TEST_F(Writer, Utf8ModelReencodesPathsAndEmptiesOneThatIsNotShiftJis)
{
    readSource(typicalModel(1));
    renew(0, "\x80\x41x\x81\x2E");
    renew(1, "new\\\x8A\xE7.png");
    Outcome run = save();
    EXPECT_EQ(0, run.result);
    EXPECT_NE(std::string::npos, run.text.find("UTF-8 path cannot be retribed: \x80\x41x\x81\x2E \n"));
    const Bytes renewed = {11, 0, 0, 0, 'n', 'e', 'w', '\\', 0xE9, 0xA1, 0x94, '.', 'p', 'n', 'g'};
    EXPECT_EQ(spliced(original, {entry(0, {0, 0, 0, 0}), entry(1, renewed)}), readFile(destination()));
}

// Textures past the table's capacity are kept, and the count is the file's own.
TEST_F(Writer, MoreThan1024TexturesKeepsEveryEntry)
{
    PmxRecipe recipe = typicalModel(0);
    recipe.textures.clear();
    for (int i = 0; i < 1030; ++i) recipe.textures.push_back("t" + std::to_string(i) + ".png");
    readSource(recipe);
    EXPECT_EQ(1030, gModel.textureCount);
    EXPECT_EQ(1024, gModel.keptTextureCount);
    EXPECT_STREQ("t1023.png", gModel.texturePaths[1023]);
    renew(1023, "z.png");
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(spliced(original, {entry(1023, utf16Entry("z.png"))}), readFile(destination()));
}

TEST_F(Writer, TwistBonesInReverseOrderAreAllReplaced)
{
    PmxRecipe recipe = typicalModel(0);
    recipe.bones = {twistBone("右手捩", "", {0, 1, 0}), twistBone("右腕捩", "", {0, 1, 0}), plainBone("センター", "", {}),
                    twistBone("左手捩", "", {0, 1, 0}), twistBone("左腕捩", "", {0, 1, 0})};
    readSource(recipe);
    for (int t = 0; t < kTwistSlotCount; ++t) correct(t);
    renew(0, "a.png");
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(spliced(original, {entry(0, utf16Entry("a.png")), axisOf(0), axisOf(1), axisOf(3), axisOf(4)}),
              readFile(destination()));
}

// Writes that fail at any point: reported as a failure, no file of the destination's name
// appears, an earlier one is left as it was, and no temporary file stays behind.
TEST_F(Writer, FailedSaveLeavesNoFileAndKeepsTheEarlierOne)
{
    readSource(typicalModel(0));
    renew(0, "textures\\body_long.png");
    correct(kArmTwistR);
    const Bytes earlier = {'o', 'l', 'd'};
    for (std::int32_t budget = 0; budget < layout.fileSize + 40; budget += 37) {
        SCOPED_TRACE(budget);
        std::remove(destination().c_str());
        WriteStream::failAfterBytesForTesting(budget);
        EXPECT_EQ(-1, save().result);
        EXPECT_TRUE(readFile(destination()).empty());
        ASSERT_TRUE(writeFile(destination(), earlier));
        WriteStream::failAfterBytesForTesting(budget);
        EXPECT_EQ(-1, save().result);
        EXPECT_EQ(earlier, readFile(destination()));
        EXPECT_TRUE(readFile(destination() + ".tmp").empty());
    }
    WriteStream::failAfterBytesForTesting(-1);
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(original, readFile(path));
    EXPECT_NE(original, readFile(destination()));
}

// The source itself as destination, or a source changed since it was read (the texture walk
// would end elsewhere than the reader saw): refused, and nothing is written.
TEST_F(Writer, RefusedSavesWriteNothing)
{
    readSource(typicalModel(0));
    renew(0, "a.png");
    EXPECT_EQ(-1, captured([&] { return writePatchedPmx(path.c_str(), path.c_str()); }).result);
    EXPECT_EQ(original, readFile(path));
    Bytes changed = original;
    changed[static_cast<std::size_t>(layout.textureEntryStarts[1])] += 2;
    ASSERT_TRUE(writeFile(path, changed));
    EXPECT_EQ(-1, save().result);
    EXPECT_TRUE(readFile(destination()).empty());
}

} // namespace
} // namespace pmxtest
