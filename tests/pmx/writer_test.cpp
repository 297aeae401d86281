// The repaired copy: byte for byte the source outside the replaced stretches, renewed texture
// entries and corrected axes in place, and a failed or refused save that damages nothing.
#include <cstdio>
#include <cstring>

#include "io/write_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

// 0.5, -0.25, 1.0 as little-endian floats: the corrected axis every case asks for.
const Bytes kAxisBytes = {0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0xBE, 0x00, 0x00, 0x80, 0x3F};

void renew(int k, const std::string& sjisPath)
{
    gModel.texturesChanged = gModel.textureRenewed[k] = true;
    std::strcpy(gModel.correctedTexturePaths[k], sjisPath.c_str());
}
void correct(int slot)
{
    gModel.twists[slot].verdict = true;
    gModel.twists[slot].correctedAxis = Vec3{0.5f, -0.25f, 1.0f};
}
// A texture entry in UTF-16LE: length field, then the text.
Bytes utf16Entry(const std::string& ascii)
{
    Bytes out = {static_cast<std::uint8_t>(2 * ascii.size()), static_cast<std::uint8_t>(2 * ascii.size() >> 8), 0, 0};
    for (char c : ascii) out.insert(out.end(), {static_cast<std::uint8_t>(c), 0});
    return out;
}
const std::string k519(519, 'a');
const std::vector<std::string> k1030Textures = [] {
    std::vector<std::string> t;
    for (int i = 0; i < 1030; ++i) t.push_back("t" + std::to_string(i) + ".png");
    return t;
}();

struct SaveCase {
    const char* what;
    std::uint8_t encoding;
    std::vector<std::string> textures; // empty: the typical model's two
    bool reversedTwists;               // the four twist bones in reverse order, bones 0, 1, 3, 4
    std::vector<std::pair<int, std::string>> renewed; // entry, Shift-JIS path
    std::vector<int> corrected;                       // twist slots, to (0.5, -0.25, 1.0)
    // Expected: the entries written anew, the bones whose axis is replaced, what is printed
    // between the two file names and the closing line break.
    std::vector<std::pair<std::size_t, Bytes>> entries;
    std::vector<int> axes;
    std::string notices;
    bool large = false; // grown to many read blocks, with 200,000 bytes after the joints
};

const SaveCase kSaveCases[] = {
    {"no repair: an identical copy", 0, {}, false, {}, {}, {}, {}, ""},
    {"no repair in a UTF-8 model", 1, {}, false, {}, {}, {}, {}, ""},
    {"an axis only", 0, {}, false, {}, {kWristTwistR}, {}, {10}, ""},
    // The axis offsets count source bytes, so a longer texture block moves nothing out of
    // place; a path past 513 units is written whole, in step with its length field.
    {"a longer renewed path, then an axis", 0, {}, false, {{0, k519}}, {kArmTwistL}, {{0, utf16Entry(k519)}}, {3}, ""},
    // Entries not renewed keep their bytes, even with no Shift-JIS code (emoji, Hangul).
    {"untouched entries of a UTF-16LE model", 0, {"\xF0\x9F\x98\x80.png", "old.png", "\xED\x95\x9C\xEA\xB8\x80.bmp"},
     false, {{1, "new\\\x8A\xE7.png"}}, {}, // new\顔.png
     {{1, {18, 0, 0, 0, 'n', 0, 'e', 0, 'w', 0, '\\', 0, 0x54, 0x98, '.', 0, 'p', 0, 'n', 0, 'g', 0}}}, {}, ""},
    // A path that is not Shift-JIS is written empty (with a notice); the others re-encoded.
    {"UTF-8 model", 1, {}, false, {{0, "\x80\x41x\x81\x2E"}, {1, "new\\\x8A\xE7.png"}}, {},
     {{0, {0, 0, 0, 0}}, {1, {11, 0, 0, 0, 'n', 'e', 'w', '\\', 0xE9, 0xA1, 0x94, '.', 'p', 'n', 'g'}}}, {},
     "<<<uni000000:sjis008041>>>[81 2E(x)](2nd byte==0x00-3F) <<<uni000000:sjis00812E>>>"
     "UTF-8 path cannot be retribed: \x80\x41x\x81\x2E \n"},
    // Textures past the table's capacity are kept, and the count is the file's own.
    {"more than 1024 textures", 0, k1030Textures, false, {{1023, "z.png"}}, {}, {{1023, utf16Entry("z.png")}}, {}, ""},
    {"twist bones in reverse order", 0, {}, true, {{0, "a.png"}}, {0, 1, 2, 3}, {{0, utf16Entry("a.png")}},
     {0, 1, 3, 4}, ""},
    // Stretches of many copy chunks, some moved file to file around the read buffer.
    {"a model of many read blocks", 0, {}, false, {{0, "a.png"}}, {kArmTwistL, kWristTwistR},
     {{0, utf16Entry("a.png")}}, {3, 10}, "", true},
};

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

TEST_F(Writer, CopyChangesOnlyTheRepairedStretches)
{
    for (const SaveCase& c : kSaveCases) {
        SCOPED_TRACE(c.what);
        PmxRecipe recipe = typicalModel(c.encoding);
        if (!c.textures.empty()) recipe.textures = c.textures;
        if (c.large) {
            growToManyBlocks(recipe);
            for (int i = 0; i < 200000; ++i) recipe.trailing.push_back(static_cast<std::uint8_t>(i * 7 + i / 251));
        }
        if (c.reversedTwists) {
            recipe.bones = {twistBone("右手捩", "", {0, 1, 0}), twistBone("右腕捩", "", {0, 1, 0}),
                            plainBone("センター", "", {}), twistBone("左手捩", "", {0, 1, 0}),
                            twistBone("左腕捩", "", {0, 1, 0})};
        }
        readSource(recipe);
        for (const auto& r : c.renewed) renew(r.first, r.second);
        for (int slot : c.corrected) correct(slot);
        Outcome run = save();
        EXPECT_EQ(0, run.result);
        EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \n" + c.notices + "\n", run.text);

        std::vector<Splice> expected;
        for (const auto& e : c.entries) {
            const std::vector<std::int32_t>& starts = layout.textureEntryStarts;
            const std::int32_t end = e.first + 1 < starts.size() ? starts[e.first + 1] : layout.textureBlockEnd;
            expected.push_back(Splice{starts[e.first], end - starts[e.first], e.second});
        }
        for (int bone : c.axes) expected.push_back(Splice{layout.fixedAxisOffsets[bone], 12, kAxisBytes});
        EXPECT_EQ(spliced(original, expected), readFile(destination()));
        EXPECT_TRUE(readFile(destination() + ".tmp").empty());
    }
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
    EXPECT_EQ(-1, save().result);
    EXPECT_TRUE(readFile(destination()).empty());
}

} // namespace
} // namespace pmxtest
