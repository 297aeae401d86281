// The repaired copy: byte for byte the source outside the replaced stretches, renewed texture
// entries and corrected axes in place, and a failed save that leaves nothing damaged.
#include <cstring>

#include "io/write_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

class Writer : public ::testing::Test {
protected:
    ConsoleDefaults defaults;
    ScratchFolder folder;
    std::string source = folder.file("src.pmx");
    std::string destination = folder.file("src-new.pmx");
    std::vector<std::uint8_t> original;
    PmxLayout layout;

    void TearDown() override { WriteStream::failAfterBytesForTesting(-1); }

    // Writes and reads the source; the model then holds its marks, and no repair is decided.
    void readSource(const PmxRecipe& recipe)
    {
        original = buildPmx(recipe, &layout);
        ASSERT_TRUE(writeFile(source, original));
        ReadRun run = runReader(source);
        ASSERT_EQ(0, run.result);
        ASSERT_NE(std::string::npos, run.transcript.find("done. \n"));
    }
    void renewTexture(int k, const char* sjisPath)
    {
        gModel.texturesChanged = true;
        gModel.textureRenewed[k] = true;
        std::strcpy(gModel.correctedTexturePaths[k], sjisPath);
    }
    void correctAxis(int slot, float x, float y, float z)
    {
        gModel.twists[slot].verdict = true;
        gModel.twists[slot].correctedAxis = Vec3{x, y, z};
    }
    ReadRun save() { return runWriter(destination, source); }
    std::string quietSave() const
    {
        return "Reading from: src.pmx \nWriting to  : src-new.pmx \n\n";
    }
};

// 0.5, -0.25, 1.0 as little-endian floats.
const std::vector<std::uint8_t> kCorrectedAxisBytes = {0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0xBE,
                                                       0x00, 0x00, 0x80, 0x3F};

TEST_F(Writer, NoRepairGivesAByteForByteCopy)
{
    for (std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}}) {
        SCOPED_TRACE(encoding);
        readSource(typicalModel(encoding));
        ReadRun run = save();
        EXPECT_EQ(0, run.result);
        EXPECT_EQ(quietSave(), run.transcript);
        EXPECT_EQ(original, readFile(destination));
        EXPECT_TRUE(readFile(destination + ".tmp").empty());
    }
}

TEST_F(Writer, TexturesChangedWithoutARecordedBlockCopiesTheBlock)
{
    readSource(typicalModel(0));
    renewTexture(0, "other.png");
    gModel.textureBlockStart = 0;
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(original, readFile(destination));
}

TEST_F(Writer, AxisOnlyReplacesItsTwelveBytes)
{
    readSource(typicalModel(0));
    correctAxis(kWristTwistR, 0.5f, -0.25f, 1.0f);
    ReadRun run = save();
    EXPECT_EQ(0, run.result);
    EXPECT_EQ(quietSave(), run.transcript);
    const std::int32_t at = layout.fixedAxisOffsets[10];
    std::vector<std::uint8_t> expected = slice(original, 0, at);
    append(expected, kCorrectedAxisBytes);
    append(expected, slice(original, at + 12, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

// The axis offsets count source bytes, so a longer texture block before them moves nothing
// out of place.
TEST_F(Writer, LongerRenewedPathStillLandsTheLaterAxis)
{
    readSource(typicalModel(0));
    renewTexture(0, "textures\\body_long.png");
    correctAxis(kArmTwistL, 0.5f, -0.25f, 1.0f);
    EXPECT_EQ(0, save().result);

    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[0]);
    append(expected, le32(44));
    const char* renewed = "textures\\body_long.png";
    for (const char* c = renewed; *c; ++c) append(expected, {static_cast<std::uint8_t>(*c), 0x00});
    const std::int32_t axisAt = layout.fixedAxisOffsets[3];
    append(expected, slice(original, layout.textureEntryStarts[1], axisAt));
    append(expected, kCorrectedAxisBytes);
    append(expected, slice(original, axisAt + 12, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

// Entries that were not renewed keep their bytes, even when they hold characters with no
// Shift-JIS code (an emoji as a surrogate pair, Hangul).
TEST_F(Writer, UntouchedEntriesKeepTheirBytes)
{
    PmxRecipe s = typicalModel(0);
    s.textures = {"\xF0\x9F\x98\x80.png", "old.png", "\xED\x95\x9C\xEA\xB8\x80.bmp"};
    readSource(s);
    renewTexture(1, "new\\\x8A\xE7.png"); // new\顔.png
    EXPECT_EQ(0, save().result);

    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[1]);
    append(expected, {18, 0, 0, 0, 0x6E, 0x00, 0x65, 0x00, 0x77, 0x00, 0x5C, 0x00, 0x54, 0x98,
                      0x2E, 0x00, 0x70, 0x00, 0x6E, 0x00, 0x67, 0x00});
    append(expected, slice(original, layout.textureEntryStarts[2], layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

TEST_F(Writer, RenewedPathInAUtf8Model)
{
    readSource(typicalModel(1));
    renewTexture(1, "new\\\x8A\xE7.png");
    EXPECT_EQ(0, save().result);
    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[1]);
    append(expected, {11, 0, 0, 0, 'n', 'e', 'w', '\\', 0xE9, 0xA1, 0x94, '.', 'p', 'n', 'g'});
    append(expected, slice(original, layout.textureBlockEnd, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

// A corrected path that is not Shift-JIS is written empty, and the others normally.
TEST_F(Writer, PathThatIsNotShiftJisIsWrittenEmpty)
{
    readSource(typicalModel(1));
    renewTexture(0, "\x80\x41x\x81\x2E");
    renewTexture(1, "b.png");
    ReadRun run = save();
    EXPECT_EQ(0, run.result);
    EXPECT_NE(std::string::npos, run.transcript.find("UTF-8 path cannot be retribed: \x80\x41x\x81\x2E \n"));
    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[0]);
    append(expected, {0, 0, 0, 0, 5, 0, 0, 0, 'b', '.', 'p', 'n', 'g'});
    append(expected, slice(original, layout.textureBlockEnd, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));

    readSource(typicalModel(0));
    renewTexture(1, "\x80\x41x\x81\x2E");
    run = save();
    EXPECT_NE(std::string::npos, run.transcript.find("UTF-16 path cannot be retribed: \x80\x41x\x81\x2E \n"));
    expected = slice(original, 0, layout.textureEntryStarts[1]);
    append(expected, {0, 0, 0, 0});
    append(expected, slice(original, layout.textureBlockEnd, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

// A path longer than 513 units: the length field and the bytes after it agree.
TEST_F(Writer, LongRenewedPathKeepsTheFileInStep)
{
    readSource(typicalModel(0));
    const std::string longPath(519, 'a');
    renewTexture(0, longPath.c_str());
    correctAxis(kWristTwistL, 0.5f, -0.25f, 1.0f);
    EXPECT_EQ(0, save().result);
    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[0]);
    append(expected, le32(1038));
    for (int i = 0; i < 519; ++i) append(expected, {'a', 0x00});
    const std::int32_t axisAt = layout.fixedAxisOffsets[5];
    append(expected, slice(original, layout.textureEntryStarts[1], axisAt));
    append(expected, kCorrectedAxisBytes);
    append(expected, slice(original, axisAt + 12, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

// Textures past the table's capacity are kept, and the count is the file's own.
TEST_F(Writer, MoreThan1024TexturesKeepsEveryEntry)
{
    PmxRecipe s = typicalModel(0);
    s.textures.clear();
    for (int i = 0; i < 1030; ++i) s.textures.push_back("t" + std::to_string(i) + ".png");
    readSource(s);
    renewTexture(1023, "z.png");
    EXPECT_EQ(0, save().result);
    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[1023]);
    append(expected, {10, 0, 0, 0, 'z', 0, '.', 0, 'p', 0, 'n', 0, 'g', 0});
    append(expected, slice(original, layout.textureEntryStarts[1024], layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

TEST_F(Writer, TwistBonesInReverseOrderAreAllReplaced)
{
    PmxRecipe s = typicalModel(0);
    s.bones = {twistBone("右手捩", "", {0.0f, 1.0f, 0.0f}), twistBone("右腕捩", "", {0.0f, 1.0f, 0.0f}),
               plainBone("センター", "", {}), twistBone("左手捩", "", {0.0f, 1.0f, 0.0f}),
               twistBone("左腕捩", "", {0.0f, 1.0f, 0.0f})};
    readSource(s);
    for (int t = 0; t < kTwistSlotCount; ++t) correctAxis(t, 0.5f, -0.25f, 1.0f);
    renewTexture(0, "a.png");
    EXPECT_EQ(0, save().result);

    std::vector<std::uint8_t> expected = slice(original, 0, layout.textureEntryStarts[0]);
    append(expected, {10, 0, 0, 0, 'a', 0, '.', 0, 'p', 0, 'n', 0, 'g', 0});
    std::int32_t from = layout.textureEntryStarts[1];
    for (int bone : {0, 1, 3, 4}) {
        append(expected, slice(original, from, layout.fixedAxisOffsets[bone]));
        append(expected, kCorrectedAxisBytes);
        from = layout.fixedAxisOffsets[bone] + 12;
    }
    append(expected, slice(original, from, layout.fileSize));
    EXPECT_EQ(expected, readFile(destination));
}

// Writes that fail at any point: reported as a failure, no file of the destination's name
// appears, an earlier one is left as it was, and no temporary file stays behind.
TEST_F(Writer, FailedSaveLeavesNoFileAndKeepsTheEarlierOne)
{
    readSource(typicalModel(0));
    renewTexture(0, "textures\\body_long.png");
    correctAxis(kArmTwistR, 0.5f, -0.25f, 1.0f);
    for (std::int32_t budget = 0; budget < layout.fileSize + 40; budget += 37) {
        SCOPED_TRACE(budget);
        std::remove(destination.c_str());
        WriteStream::failAfterBytesForTesting(budget);
        EXPECT_EQ(-1, save().result);
        EXPECT_TRUE(readFile(destination).empty());
        EXPECT_TRUE(readFile(destination + ".tmp").empty());

        const std::vector<std::uint8_t> earlier = {'o', 'l', 'd'};
        ASSERT_TRUE(writeFile(destination, earlier));
        WriteStream::failAfterBytesForTesting(budget);
        EXPECT_EQ(-1, save().result);
        EXPECT_EQ(earlier, readFile(destination));
        EXPECT_TRUE(readFile(destination + ".tmp").empty());
    }
    WriteStream::failAfterBytesForTesting(-1);
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(original, readFile(source));
    EXPECT_NE(original, readFile(destination));
}

TEST_F(Writer, MissingSourceCreatesNothing)
{
    readSource(typicalModel(0));
    std::remove(source.c_str());
    ReadRun run = save();
    EXPECT_EQ(-1, run.result);
    EXPECT_NE(std::string::npos, run.transcript.find("Cannot open RD file : "));
    EXPECT_TRUE(readFile(destination).empty());
}

TEST_F(Writer, DestinationNamingTheSourceIsRefused)
{
    readSource(typicalModel(0));
    correctAxis(kArmTwistL, 0.5f, -0.25f, 1.0f);
    EXPECT_EQ(-1, runWriter(source, source).result);
    EXPECT_EQ(original, readFile(source));
}

// The source was changed since it was read: the texture walk does not end where the reader
// saw the block end, and the save fails instead of writing a model out of step.
TEST_F(Writer, SourceChangedSinceReadingFailsTheSave)
{
    readSource(typicalModel(0));
    renewTexture(0, "a.png");
    std::vector<std::uint8_t> changed = original;
    changed[static_cast<std::size_t>(layout.textureEntryStarts[1])] += 2;
    ASSERT_TRUE(writeFile(source, changed));
    EXPECT_EQ(-1, save().result);
    EXPECT_TRUE(readFile(destination).empty());
}

} // namespace
} // namespace pmxtest
