// What the reader prints for a UTF-8 model, an error that ends the reading, a file that ends
// early and the model name's display (one row per case, transcripts written by hand); a model
// cut anywhere.
#include <algorithm>
#include <ostream>

#include "io/read_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

using Edit = void (*)(PmxRecipe&);
using Damage = void (*)(Bytes&, const PmxLayout&);

struct ReadCase {
    const char* name; // the test instance's name: what the case guards
    Edit edit;     // applied to typicalModel(0); may also set the console modes
    Damage damage; // applied to the built bytes
    std::string transcript; // after "Reading from: <path> \n"
    int result = 0;
};

const std::string kTop = "PMX Ver 2.00 \nModel: Test model \n";
const std::string kToBones = "4 Vertices.\n2 Surfaces.\n2 Textures.\n1 Materials.\n12 Bones.\n";
const std::string kCounts = kToBones + "1 Morphs.\n1 Frames.\n1 Rigid-bodies.\n1 Joints.\nOK. \n";
const std::string kClean = "PMX 2.0: correctly read-in: OK. \ndone. \n\n";
const std::string kHundredBytes = "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \n"
                                  "10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F \n"
                                  "20 21 22 23 24 25 26 27 28 29 2A 2B 2C 2D 2E 2F \n"
                                  "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F \n"
                                  "40 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F \n"
                                  "50 51 52 53 54 55 56 57 58 59 5A 5B 5C 5D 5E 5F \n"
                                  "60 61 62 63 \n";
const std::string k21 = "PMX Ver 2.10 \nModel: Test model \n" + kCounts + "PMX 2.1: reading extended data ...\n";

void hundredTrailingBytes(PmxRecipe& r)
{
    r.version = 2.1f;
    for (int i = 0; i < 100; ++i) r.trailing.push_back(static_cast<std::uint8_t>(i));
}

const ReadCase kReadCases[] = {
    {"CleanUtf8ModelEchoesEachConvertedText",
     [](PmxRecipe& r) {
         r = PmxRecipe();
         r.encoding = 1;
         r.modelName = "m";
         r.modelNameEnglish = "en";
         r.textures = {"a.png"};
         r.bones = {plainBone("b", "", {})};
     },
     nullptr,
     "PMX Ver 2.00 \nen\nutfstat = 7. \n  cttotal = 2. \ndone.\nModel: en \n"
     "m\nutfstat = 7. \n  cttotal = 1. \ndone.\n0 Vertices.\n0 Surfaces.\n1 Textures.\n"
     "a.png\nutfstat = 7. \n  cttotal = 5. \ndone.\n0 Materials.\n1 Bones.\n"
     "b\nutfstat = 7. \n  cttotal = 1. \ndone.\n\nutfstat = 7. \n  cttotal = 0. \ndone.\n"
     "0 Morphs.\n0 Frames.\n0 Rigid-bodies.\n0 Joints.\nOK. \n" + kClean},
    {"FaceCountNotAMultipleOf3EndsTheReading", [](PmxRecipe& r) { r.faceIndexCount = 7; }, nullptr,
     kTop + "4 Vertices.\n2 Surfaces.\nErr: num of surface data (=7) is not multiples of 3. \n\n"},
    {"UndefinedIndexWidthIsReportedOnceNotPerFace",
     [](PmxRecipe& r) {
         r.vertexIndexSize = 3;
         r.faceIndexCount = 3 * 1000;
     }, nullptr,
     kTop + "4 Vertices.\n1000 Surfaces.\nundef(size=3) err.\nundef(size=3) err.\nundef(size=3) err.\n"
            "2 Textures.\n1 Materials.\n12 Bones.\n"
            "1 Morphs.\nundef(size=3) err.\n1 Frames.\n1 Rigid-bodies.\n1 Joints.\nOK. \n" + kClean},
    // Vertex sizes for width 3 would span bytes the field-by-field reading never reads.
    {"UndefinedBoneIndexWidthReadsEachVertexFieldByField",
     [](PmxRecipe& r) {
         r = PmxRecipe();
         r.boneIndexSize = 3;
         r.vertexDeformTypes = {0, 0, 0};
     }, nullptr,
     "PMX Ver 2.00 \nModel: model \n3 Vertices.\nundef(size=3) err.\nundef(size=3) err.\nundef(size=3) err.\n"
     "0 Surfaces.\n0 Textures.\n0 Materials.\n0 Bones.\n0 Morphs.\n0 Frames.\n0 Rigid-bodies.\n0 Joints.\nOK. \n" + kClean},
    {"MaterialVertexCountAloneEndsTheReading", [](PmxRecipe& r) { r.materials[0].faceVertexCount = 4; }, nullptr,
     kTop + "4 Vertices.\n2 Surfaces.\n2 Textures.\n1 Materials.\n"
            "Err: illegal material-related vertex number at matrial 0. \n\n"},
    // The end cuts bone 3's fixed axis: the reading stops in the bones, not in a later section.
    {"FileEndingInABoneNamesTheNextOne", nullptr,
     [](Bytes& b, const PmxLayout& l) { b.resize(static_cast<std::size_t>(l.fixedAxisOffsets[3] + 10)); },
     kTop + kToBones + "Err: file ended at bone 4. \n\n"},
    // The end cuts texture 0's path: the reading stops in the textures, not in a later section.
    {"FileEndingInATextureNamesTheNextOne", nullptr,
     [](Bytes& b, const PmxLayout& l) { b.resize(static_cast<std::size_t>(l.textureEntryStarts[0] + 6)); },
     kTop + "4 Vertices.\n2 Surfaces.\n2 Textures.\nErr: file ended at texture 1. \n\n"},
    // U+4E00 is 00 4E in UTF-16LE: a zero first byte does not make the name empty.
    {"EnglishNameWithAZeroFirstByteIsNotEmpty", [](PmxRecipe& r) { r.modelNameEnglish = "一"; }, nullptr,
     "PMX Ver 2.00 \nModel: \x88\xEA \n" + kCounts + kClean},
    // Cut to 20 bytes, the name ends inside its tenth double-byte character.
    {"NameCutInsideACharacterIsNoticedAtLevel1",
     [](PmxRecipe& r) {
         r.modelNameEnglish = "";
         r.modelName = "aああああああああああああ";
         setDisplayLevel(1);
     },
     nullptr, "PMX Ver 2.00 \n(>20 DBCS-trancated) " + kCounts + kClean},
    {"GlobalCountBelowEightIsNoPmx", nullptr, [](Bytes& b, const PmxLayout&) { b[8] = 7; },
     "PMX Ver 2.00 \nIllegal file format at 000009=(07) \n", 2},
    {"MorphKinds9And10ReadAndFFEnds", [](PmxRecipe& r) { r.morphs = {{"m", 9}, {"m", 10}, {"m", 0xFF}}; }, nullptr,
     kTop + kToBones + "3 Morphs.\nErr: unknown morph kind at morph 2. \n\n"},
    // Any fourth signature byte and version; global bytes past the eighth are passed over.
    {"GlobalBytesPastTheEighthArePassedOver", nullptr,
     [](Bytes& b, const PmxLayout&) {
         b[3] = 0;
         b[6] = b[7] = 0x40; // version 3.0
         b[8] = 10;          // ten global bytes
         b.insert(b.begin() + 17, 2, 0);
     },
     "PMX Ver 3.00 \nModel: Test model \n" + kCounts + kClean},
    {"TrailingDataDumpedAtLevel1",
     [](PmxRecipe& r) {
         hundredTrailingBytes(r);
         setDisplayLevel(1);
     },
     nullptr,
     k21 + kHundredBytes + "SoftBody block: Total 100 bytes.\ndone. \n\n"},
    {"TrailingDataNamedUnrecognizedAtLevel2",
     [](PmxRecipe& r) {
         hundredTrailingBytes(r);
         setDisplayLevel(2);
     },
     nullptr,
     k21 + "Unrecognized data bytes found. \n" + kHundredBytes + "Unrecognized block: Total 100 bytes.\ndone. \n\n"},
};

class Reader : public PmxTest {};

// One test per case, named after it (--gtest_filter=*GlobalCountBelowEightIsNoPmx).
class ReaderTranscript : public PmxTest, public ::testing::WithParamInterface<ReadCase> {};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

TEST_P(ReaderTranscript, PrintsItsReport)
{
    const ReadCase& c = GetParam();
    resetConsole();
    PmxRecipe recipe = typicalModel(0);
    if (c.edit) c.edit(recipe);
    PmxLayout layout;
    Bytes bytes = buildPmx(recipe, &layout);
    if (c.damage) c.damage(bytes, layout);
    Outcome run = readBytes(bytes);
    EXPECT_EQ(c.result, run.result);
    EXPECT_EQ(-1, ReadStream::status()) << "the model file is left open";
    EXPECT_EQ("Reading from: " + path() + " \n" + c.transcript, run.text);
    // Whole exactly when the reader got past the joints to its 2.0/2.1 verdict in step: an
    // index width of 3 reads every index of its kind as nothing.
    const bool outOfStep = c.transcript.find("undef(size=") != std::string::npos;
    EXPECT_EQ(c.transcript.find("PMX 2.") != std::string::npos && !outOfStep, readPmxWasWhole());
    EXPECT_EQ(outOfStep, readPmxWentOutOfStep());
}

std::string readCaseName(const ::testing::TestParamInfo<ReadCase>& c) { return c.param.name; }

INSTANTIATE_TEST_SUITE_P(Case, ReaderTranscript, ::testing::ValuesIn(kReadCases), readCaseName);

// The reader must end cleanly, never read past the end, never record an offset beyond it.
TEST_F(Reader, CutAtEveryOffsetNeverReadsPastTheEnd)
{
    PmxRecipe recipe = typicalModel(1);
    recipe.trailing = {1, 2, 3};
    PmxLayout layout;
    const Bytes bytes = buildPmx(recipe, &layout);
    // Where each path ends: at the next entry, the last one at the end of the block.
    std::vector<std::int32_t> pathEnds(layout.textureEntryStarts.begin() + 1, layout.textureEntryStarts.end());
    pathEnds.push_back(layout.textureBlockEnd);
    // A slot is filled as soon as its bone's position, or fixed axis, has arrived whole.
    const int slotBone[kBoneSlotCount] = {2, 7, 4, 9, 6, 11}, twistBone[kTwistSlotCount] = {3, 5, 8, 10};
    // Longest first: a mark a longer reading left behind would show in a shorter one.
    for (std::int32_t size = static_cast<std::int32_t>(bytes.size()) - 1; size >= 0; --size) {
        SCOPED_TRACE(::testing::Message() << "cut at " << size);
        Outcome run = readBytes(Bytes(bytes.begin(), bytes.begin() + size));
        // Signature, version and global count take 9 bytes; anything shorter is not PMX.
        EXPECT_EQ(size < 9 ? 2 : 0, run.result);
        EXPECT_EQ(-1, ReadStream::status()); // closed
        // A file cut in the trailing data still holds every section.
        EXPECT_EQ(size >= layout.trailingStart, readPmxWasWhole());
        // Only paths that arrived whole are the model's textures.
        EXPECT_EQ(std::count_if(pathEnds.begin(), pathEnds.end(), [&](std::int32_t end) { return size >= end; }),
                  gModel.keptTextureCount);
        EXPECT_LE(gModel.textureBlockEnd, size);
        for (int s = 0; s < kBoneSlotCount; ++s) {
            const std::int32_t positionAt = layout.positionOffsets[static_cast<std::size_t>(slotBone[s])];
            EXPECT_EQ(size >= positionAt + 12, gModel.bones[s].found) << s;
        }
        for (int t = 0; t < kTwistSlotCount; ++t) {
            const std::int32_t axisAt = layout.fixedAxisOffsets[static_cast<std::size_t>(twistBone[t])];
            EXPECT_EQ(size >= axisAt + 12, gModel.twists[t].found) << t;
            EXPECT_EQ(gModel.twists[t].found ? axisAt : 0, gModel.twists[t].axisOffset) << t;
        }
        // A clean end is claimed only when every section was complete.
        if (run.text.find("PMX 2.") != std::string::npos) {
            EXPECT_GE(size, static_cast<std::int32_t>(bytes.size()) - 3);
        }
    }
}

} // namespace
} // namespace pmxtest
