// What the reader prints and returns: clean models of both encodings, the header's format
// errors, each body error that ends the reading, the trailing-data dump, the model name.
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

class ReaderTranscript : public ::testing::Test {
protected:
    ConsoleDefaults defaults;
    ScratchFolder folder;

    ReadRun readBytes(const std::vector<std::uint8_t>& bytes)
    {
        path = folder.file("m.pmx");
        EXPECT_TRUE(writeFile(path, bytes));
        return runReader(path);
    }
    ReadRun readRecipe(const PmxRecipe& recipe, PmxLayout* layout = nullptr)
    {
        return readBytes(buildPmx(recipe, layout));
    }
    std::string header() const { return "Reading from: " + path + " \nPMX Ver 2.00 \n"; }

    std::string path;
};

const char kTypicalSections[] =
    "4 Vertices.\n"
    "2 Surfaces.\n"
    "2 Textures.\n"
    "1 Materials.\n"
    "12 Bones.\n"
    "1 Morphs.\n"
    "1 Frames.\n"
    "1 Rigid-bodies.\n"
    "1 Joints.\n"
    "OK. \n";

TEST_F(ReaderTranscript, CleanUtf16ModelReportsEverySection)
{
    ReadRun run = readRecipe(typicalModel(0));
    EXPECT_EQ(0, run.result);
    EXPECT_EQ(header() + "Model: Test model \n" + kTypicalSections +
                  "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              run.transcript);
    EXPECT_EQ(4, gModel.vertexCount);
    EXPECT_EQ(2, gModel.faceCount);
    EXPECT_EQ(12, gModel.boneCount);
    EXPECT_EQ(0, gModel.textEncoding);
}

TEST_F(ReaderTranscript, JapaneseModeShowsTheJapaneseNameInShiftJis)
{
    setJapaneseMode(true);
    ReadRun run = readRecipe(typicalModel(0));
    // テストモデル in Shift-JIS.
    EXPECT_EQ(header() + "Model: \x83\x65\x83\x58\x83\x67\x83\x82\x83\x66\x83\x8B \n" +
                  kTypicalSections + "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              run.transcript);
}

// A UTF-8 model: every converted text (model names, texture paths, bone names) echoes its
// conversion trace.
TEST_F(ReaderTranscript, CleanUtf8ModelEchoesEachConvertedText)
{
    PmxRecipe s;
    s.encoding = 1;
    s.modelName = "m";
    s.modelNameEnglish = "en";
    s.textures = {"a.png"};
    s.bones = {plainBone("b", "", {})};
    ReadRun run = readRecipe(s);
    EXPECT_EQ(0, run.result);
    EXPECT_EQ(header() +
                  "en\nutfstat = 7. \n  cttotal = 2. \ndone.\n"
                  "Model: en \n"
                  "m\nutfstat = 7. \n  cttotal = 1. \ndone.\n"
                  "0 Vertices.\n"
                  "0 Surfaces.\n"
                  "1 Textures.\n"
                  "a.png\nutfstat = 7. \n  cttotal = 5. \ndone.\n"
                  "0 Materials.\n"
                  "1 Bones.\n"
                  "b\nutfstat = 7. \n  cttotal = 1. \ndone.\n"
                  "\nutfstat = 7. \n  cttotal = 0. \ndone.\n"
                  "0 Morphs.\n0 Frames.\n0 Rigid-bodies.\n0 Joints.\nOK. \n"
                  "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              run.transcript);
    EXPECT_STREQ("a.png", gModel.texturePaths[0]);
}

TEST_F(ReaderTranscript, MissingFileCannotBeOpened)
{
    path = folder.file("absent.pmx");
    ReadRun run = runReader(path);
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ("Reading from: " + path + " \nCannot open RD file : " + path + "\n", run.transcript);
}

TEST_F(ReaderTranscript, HeaderFormatErrorsShowOffsetAndValue)
{
    ReadRun empty = readBytes({});
    EXPECT_EQ(2, empty.result);
    EXPECT_EQ("Reading from: " + path + " \nIllegal file format at 000000=(FFFFFFFF) \n",
              empty.transcript);

    std::vector<std::uint8_t> pmd = buildPmx(typicalModel(0));
    pmd[2] = 0x44;
    ReadRun third = readBytes(pmd);
    EXPECT_EQ(2, third.result);
    EXPECT_EQ("Reading from: " + path + " \nIllegal file format at 000003=(44) \n", third.transcript);

    PmxRecipe seven = typicalModel(0);
    seven.globalCount = 7;
    ReadRun globals = readRecipe(seven);
    EXPECT_EQ(2, globals.result);
    EXPECT_EQ(header() + "Illegal file format at 000009=(07) \n", globals.transcript);
}

TEST_F(ReaderTranscript, AnyFourthSignatureByteAndVersionAreAccepted)
{
    PmxRecipe s = typicalModel(0);
    s.signature[3] = 0x00;
    s.version = 3.0f;
    ReadRun run = readRecipe(s);
    EXPECT_EQ(0, run.result);
    EXPECT_EQ("Reading from: " + path + " \nPMX Ver 3.00 \nModel: Test model \n" +
                  kTypicalSections + "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              run.transcript);
}

// Extra global bytes are passed over, so the model name and everything after stay in step.
TEST_F(ReaderTranscript, GlobalCountAboveEightSkipsTheExtraBytes)
{
    PmxRecipe s = typicalModel(0);
    s.globalCount = 10;
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + "Model: Test model \n" + kTypicalSections +
                  "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, IllegalDeformTypeEndsTheReading)
{
    PmxRecipe s = typicalModel(0);
    s.vertexDeformTypes = {0, 5, 0};
    ReadRun run = readRecipe(s);
    EXPECT_EQ(0, run.result);
    EXPECT_EQ(header() + "Model: Test model \n3 Vertices.\nErr: illegal DEF type 5. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, DeformTypeAbove127PrintsAsNegative)
{
    PmxRecipe s = typicalModel(0);
    s.vertexDeformTypes = {0xF0};
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + "Model: Test model \n1 Vertices.\nErr: illegal DEF type -16. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, FaceCountNotMultipleOfThree)
{
    PmxRecipe s = typicalModel(0);
    s.faceIndexCount = 7;
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n2 Surfaces.\n"
                         "Err: num of surface data (=7) is not multiples of 3. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, MaterialChecksComeInFieldOrder)
{
    PmxRecipe s = typicalModel(0);
    s.materials[0].toonSharing = 2;
    s.materials[0].faceVertexCount = 4;
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n2 Surfaces.\n2 Textures.\n1 Materials.\n"
                         "Err: unknown toon sharing mode at matrial 0. \n"
                         "Err: illegal material-related vertex number at matrial 0. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, UnknownMorphKindEndsTheReading)
{
    PmxRecipe s = typicalModel(0);
    MorphRecipe flip, impulse, broken;
    flip.kind = 9;
    impulse.kind = 10;
    broken.kind = 0xFF;
    s.morphs = {flip, impulse, broken};
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n2 Surfaces.\n2 Textures.\n1 Materials.\n"
                         "12 Bones.\n3 Morphs.\nErr: unknown morph kind at morph 2. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, UnsupportedJointTypeShowsTypeAndIndex)
{
    PmxRecipe s = typicalModel(0);
    JointRecipe good, bad;
    bad.type = 0xFF;
    s.joints = {good, good, bad};
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n2 Surfaces.\n2 Textures.\n1 Materials.\n"
                         "12 Bones.\n1 Morphs.\n1 Frames.\n1 Rigid-bodies.\n3 Joints.\n"
                         "Err: joint type -1 unsupported at joint 2. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, FileEndingAfterTheBonesCountsMinusOne)
{
    PmxLayout layout;
    std::vector<std::uint8_t> bytes = buildPmx(typicalModel(0), &layout);
    bytes.resize(static_cast<std::size_t>(layout.morphSection));
    ReadRun run = readBytes(bytes);
    EXPECT_EQ(0, run.result);
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n2 Surfaces.\n2 Textures.\n1 Materials.\n"
                         "12 Bones.\n-1 Morphs.\n-1 Frames.\n-1 Rigid-bodies.\n-1 Joints.\n"
                         "OK. \ndone. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, FileEndingInsideAVertexNamesTheNextVertex)
{
    PmxRecipe s = typicalModel(0);
    s.vertexDeformTypes.assign(10, 0);
    PmxLayout layout;
    std::vector<std::uint8_t> bytes = buildPmx(s, &layout);
    std::vector<std::uint8_t> cut = slice(bytes, 0, layout.vertexStarts[5] - 2); // in edge scale of 4
    ReadRun inEdge = readBytes(cut);
    EXPECT_EQ(header() + "Model: Test model \n10 Vertices.\nErr: file ended at vertex 5. \n\n",
              inEdge.transcript);

    // Before vertex 5's deform type byte: the missing byte reads as 0xFF.
    cut = slice(bytes, 0, layout.vertexStarts[5] + 32);
    ReadRun beforeType = readBytes(cut);
    EXPECT_EQ(header() + "Model: Test model \n10 Vertices.\nErr: illegal DEF type -1. \n\n",
              beforeType.transcript);
}

TEST_F(ReaderTranscript, FileEndingAfterTheVerticesHasNoFaceCount)
{
    PmxLayout layout;
    std::vector<std::uint8_t> bytes = buildPmx(typicalModel(0), &layout);
    ReadRun run = readBytes(slice(bytes, 0, layout.faceSection));
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n0 Surfaces.\n"
                         "Err: num of surface data (=-1) is not multiples of 3. \n\n",
              run.transcript);
}

// A cut inside texture 0 shows at the start of texture 1.
TEST_F(ReaderTranscript, FileEndingInTheTexturesNamesTheTexture)
{
    PmxLayout layout;
    std::vector<std::uint8_t> bytes = buildPmx(typicalModel(0), &layout);
    ReadRun run = readBytes(slice(bytes, 0, layout.textureEntryStarts[0] + 3));
    EXPECT_EQ(header() + "Model: Test model \n4 Vertices.\n2 Surfaces.\n2 Textures.\n"
                         "Err: file ended at texture 1. \n\n",
              run.transcript);
}

class TrailingData : public ReaderTranscript {
protected:
    ReadRun readWithTrailing(signed char level)
    {
        PmxRecipe s = typicalModel(0);
        for (int i = 0; i < 100; ++i) s.trailing.push_back(static_cast<std::uint8_t>(i));
        s.version = 2.1f;
        setDisplayLevel(level);
        return readRecipe(s);
    }
    std::string start() const
    {
        return "Reading from: " + path + " \nPMX Ver 2.10 \nModel: Test model \n" + kTypicalSections +
               "PMX 2.1: reading extended data ...\n";
    }
};

const char kHundredBytes[] =
    "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \n"
    "10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F \n"
    "20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F \n"
    "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F \n"
    "40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F \n"
    "50 51 52 53 54 55 56 57 58 59 5A 5B 5C 5D 5E 5F \n"
    "60 61 62 63 \n";

TEST_F(TrailingData, LevelZeroOnlyAnnouncesTheData)
{
    ReadRun run = readWithTrailing(0);
    EXPECT_EQ(start() + "done. \n\n", run.transcript);
}

TEST_F(TrailingData, LevelOneDumpsTheBytesAsASoftBodyBlock)
{
    ReadRun run = readWithTrailing(1);
    EXPECT_EQ(start() + kHundredBytes + "SoftBody block: Total 100 bytes.\ndone. \n\n", run.transcript);
}

TEST_F(TrailingData, LevelTwoCallsThemUnrecognized)
{
    ReadRun run = readWithTrailing(2);
    EXPECT_EQ(start() + "Unrecognized data bytes found. \n" + kHundredBytes +
                  "Unrecognized block: Total 100 bytes.\ndone. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, EmptyEnglishNameShowsNoModelLineInEnglishMode)
{
    PmxRecipe s = typicalModel(0);
    s.modelNameEnglish = "";
    ReadRun run = readRecipe(s);
    EXPECT_EQ(header() + kTypicalSections + "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              run.transcript);
}

TEST_F(ReaderTranscript, NameCutInsideADoubleByteCharacterGetsANoticeAtLevelOne)
{
    PmxRecipe s = typicalModel(0);
    s.modelNameEnglish = "";
    // Thirty double-byte characters: the 20-byte cut falls between characters.
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "あ";
    s.modelName = thirty;
    setDisplayLevel(1);
    ReadRun even = readRecipe(s);
    EXPECT_EQ(header() + kTypicalSections + "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              even.transcript);

    // One single-byte character first: the cut falls inside the tenth double-byte character.
    s.modelName = "a" + thirty;
    ReadRun odd = readRecipe(s);
    EXPECT_EQ(header() + "(>20 DBCS-trancated) " + kTypicalSections +
                  "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              odd.transcript);

    setDisplayLevel(0);
    ReadRun quiet = readRecipe(s);
    EXPECT_EQ(header() + kTypicalSections + "PMX 2.0: correctly read-in: OK. \ndone. \n\n",
              quiet.transcript);
}

} // namespace
} // namespace pmxtest
