// The repaired copy: byte for byte the source outside the renewed texture entries, and a failed
// or refused save that damages nothing.
#include <cstdio>
#include <cstring>

#include "io/write_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

void renew(int k, const std::string& sjisPath)
{
    gModel.texturesChanged = gModel.textureRenewed[k] = true;
    std::strcpy(gModel.correctedTexturePaths[k], sjisPath.c_str());
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
    std::string destination() const { return file("m-new.pmx"); }
    Outcome save() { return captured([&] { return writePatchedPmx(destination().c_str(), path().c_str()); }); }
};

// In a UTF-8 model the renewed paths are re-encoded; one that is not Shift-JIS is written
// empty, with a notice. The other entries, and every byte around the texture block, stay.
TEST_F(Writer, CopyChangesOnlyTheRepairedStretches)
{
    readSource(typicalModel(1));
    renew(0, "\x80\x41x\x81\x2E");
    renew(1, "new\\\x8A\xE7.png"); // new\顔.png
    Outcome run = save();
    EXPECT_EQ(0, run.result);
    EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \n"
              "<<<uni000000:sjis008041>>>[81 2E(x)](2nd byte==0x00-3F) <<<uni000000:sjis00812E>>>"
              "UTF-8 path cannot be retribed: \x80\x41x\x81\x2E \n\n",
              run.text);
    const Bytes entries = {0, 0, 0, 0, 11, 0, 0, 0, 'n', 'e', 'w', '\\', 0xE9, 0xA1, 0x94, '.', 'p', 'n', 'g'};
    const std::int32_t first = layout.textureEntryStarts[0];
    EXPECT_EQ(spliced(original, {Splice{first, layout.textureBlockEnd - first, entries}}), readFile(destination()));
    EXPECT_TRUE(readFile(destination() + ".tmp").empty());
}

// Entries not renewed keep their bytes, even those with no Shift-JIS code (emoji, Hangul):
// only the renewed one is written anew.
TEST_F(Writer, EntriesNotRenewedKeepTheirBytes)
{
    PmxRecipe recipe = typicalModel(0);
    recipe.textures = {"\xF0\x9F\x98\x80.png", "old.png", "\xED\x95\x9C\xEA\xB8\x80.bmp"};
    readSource(recipe);
    renew(1, "new\\\x8A\xE7.png"); // new\顔.png
    EXPECT_EQ(0, save().result);
    const Bytes entry = {18, 0, 0, 0, 'n', 0, 'e', 0, 'w', 0, '\\', 0, 0x54, 0x98, '.', 0, 'p', 0, 'n', 0, 'g', 0};
    const std::int32_t at = layout.textureEntryStarts[1];
    EXPECT_EQ(spliced(original, {Splice{at, layout.textureEntryStarts[2] - at, entry}}), readFile(destination()));
}

// Writes that fail inside the renewed texture block, or in the copy just before the corrected
// axis (the copy runs 20 bytes ahead of the source there): reported as a failure, no file of
// the destination's name appears, an earlier one is left as it was, and no temporary file
// stays behind.
TEST_F(Writer, FailedSaveLeavesNoFileAndKeepsTheEarlierOne)
{
    readSource(typicalModel(0));
    renew(0, "textures\\body_long.png");
    gModel.twists[kArmTwistR].verdict = true;
    gModel.twists[kArmTwistR].correctedAxis = Vec3{0.5f, -0.25f, 1.0f};
    const Bytes earlier = {'o', 'l', 'd'};
    for (std::int32_t budget : {333, 1110}) {
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
    EXPECT_EQ(original, readFile(path()));
    EXPECT_NE(original, readFile(destination()));
}

// The source itself as destination, or a source changed since it was read (the texture walk
// would end elsewhere than the reader saw): refused, and nothing is written.
TEST_F(Writer, RefusedSavesWriteNothing)
{
    readSource(typicalModel(0));
    renew(0, "a.png");
    EXPECT_EQ(-1, captured([&] { return writePatchedPmx(path().c_str(), path().c_str()); }).result);
    EXPECT_EQ(original, readFile(path()));
    Bytes changed = original;
    changed[static_cast<std::size_t>(layout.textureEntryStarts[1])] += 2;
    ASSERT_TRUE(writeFile(path(), changed));
    const Outcome run = save();
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \nSource changed since read : " + path() + "\n", run.text);
    EXPECT_TRUE(readFile(destination()).empty());
}

} // namespace
} // namespace pmxtest
