// The check's report of a model: where and why reading stopped, said for people and in the JSON
// words, and the JSON texts: valid UTF-8 whatever the bytes of a name, every other byte escaped.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "app/check_report.h"
#include "app/json_line.h"
#include "tests/pmx/pmx_test_util.h"
#include "tests/support/io_test_files.h"
#include "text/convert.h"

namespace {

using pmxtest::PmxLayout;
using pmxtest::PmxRecipe;

struct StopCase {
    const char* name;
    std::function<void(PmxRecipe&)> edit;
    std::function<std::int32_t(const PmxLayout&)> cut; // the bytes kept; nullptr: all
    std::string read; // the read line's text, "version 2.00, UTF-16LE, " first unless given ("{N}": the bytes kept)
    std::string json; // what the JSON line holds of it
};

std::string printed(void (*print)(const ModelCheck&), const ModelCheck& check) {
    iotest::Capture capture;
    print(check);
    return capture.text();
}

class CheckReport : public testing::TestWithParam<StopCase> {};

TEST_P(CheckReport, ReadLineSaysWhereAndWhyReadingStopped) {
    const StopCase& c = GetParam();
    PmxRecipe recipe = pmxtest::typicalModel(0);
    c.edit(recipe);
    PmxLayout layout;
    std::vector<std::uint8_t> bytes = pmxtest::buildPmx(recipe, &layout);
    const std::int32_t kept = c.cut ? c.cut(layout) : static_cast<std::int32_t>(bytes.size());
    bytes.resize(static_cast<std::size_t>(kept));
    iotest::TempFolder tmp;
    pmxtest::writeFile(tmp.file("m.pmx"), bytes);
    const int code = pmxtest::readModel(iotest::insidePath(tmp.file("m.pmx"))).result;
    const ModelCheck check{"m.pmx", false, 0, code == 0 && readPmxWasWhole() ? ModelStatus::Clean : ModelStatus::Unreadable};
    const bool versionGiven = c.read.rfind("version", 0) == 0;
    std::string line = std::string("  read    ") + (versionGiven ? "" : "version 2.00, UTF-16LE, ") + c.read + "\n";
    const std::size_t n = line.find("{N}");
    if (n != std::string::npos) line.replace(n, 3, std::to_string(kept));
    EXPECT_NE(printed(printModelText, check).find(line), std::string::npos) << printed(printModelText, check);
    EXPECT_NE(printed(printModelJson, check).find(c.json), std::string::npos) << printed(printModelJson, check);
}

const StopCase kStops[] = {
    // Only the count read before the stop is shown.
    {"DeformType", [](PmxRecipe& r) { r.vertexDeformTypes = {0, 5, 0}; }, nullptr,
     "vertex 1 has deform type 5\n  counts  3 vertices",
     R"("stop":{"reason":"deform_type","section":"vertices","record":1,"value":5,"offset":)"},
    {"FaceCount", [](PmxRecipe& r) { r.faceIndexCount = 7; }, nullptr, "the face index count 7 is no multiple of 3",
     R"("stop":{"reason":"face_count","section":"faces","record":null,"value":7,"offset":)"},
    {"ToonSharing", [](PmxRecipe& r) { r.materials[0].toonSharing = 2; }, nullptr, "material 0 has toon sharing 2",
     R"("stop":{"reason":"toon_sharing","section":"materials","record":0,"value":2,"offset":)"},
    {"MaterialVertices", [](PmxRecipe& r) { r.materials[0].faceVertexCount = 4; }, nullptr,
     "material 0 has 4 face vertices, no multiple of 3",
     R"("stop":{"reason":"material_vertex_count","section":"materials","record":0,"value":4,"offset":)"},
    {"MorphKindAsSignedByte", [](PmxRecipe& r) { r.morphs[0].kind = 0xFF; }, nullptr, "morph 0 has kind -1",
     R"("stop":{"reason":"morph_kind","section":"morphs","record":0,"value":-1,"offset":)"},
    {"JointType", [](PmxRecipe& r) { r.joints.assign(2, pmxtest::JointRecipe{}); r.joints[1].type = 6; }, nullptr,
     "joint 1 has type 6", R"("stop":{"reason":"joint_type","section":"joints","record":1,"value":6,"offset":)"},
    // The type byte the end of the file left out reads as -1: the file ended in that vertex.
    {"EndInsideAVertex", [](PmxRecipe&) {}, [](const PmxLayout& l) { return l.vertexStarts[2] + 10; },
     "the file ends after {N} bytes, in vertex 2",
     R"("stop":{"reason":"file_ended","section":"vertices","record":2,"value":null,"offset":)"},
    {"EndInsideTheOnlyTexture", [](PmxRecipe& r) { r.textures.resize(1); },
     [](const PmxLayout& l) { return l.textureEntryStarts[0] + 6; }, "the file ends after {N} bytes, in texture 0",
     R"("stop":{"reason":"file_ended","section":"textures","record":0,"value":null,"offset":)"},
    {"EndAfterTheBones", [](PmxRecipe&) {}, [](const PmxLayout& l) { return l.morphSection; },
     "the file ends after {N} bytes, at the morph count",
     R"("stop":{"reason":"file_ended","section":"morphs","record":null,"value":null,"offset":)"},
    {"EndInTheModelName", [](PmxRecipe&) {}, [](const PmxLayout&) { return 20; },
     "the file ends after {N} bytes, in the header",
     R"("stop":{"reason":"file_ended","section":"header","record":null,"value":null,"offset":)"},
    {"EndAtTheGlobalCount", [](PmxRecipe&) {}, [](const PmxLayout&) { return 8; },
     "version 2.00, not a PMX file: it ends after {N} bytes",
     R"("stop":{"reason":"not_pmx","section":"header","record":null,"value":-1,"offset":8})"},
    {"IndexWidthThree", [](PmxRecipe& r) { r.rigidBodyIndexSize = 3; }, nullptr,
     "out of step: the rigid body index width is 3", R"("stop":null,"out_of_step":{"index":"rigid_body","width":3})"},
    {"DataAfterTheJoints", [](PmxRecipe& r) { r.version = 2.1f; r.trailing.assign(100, 7); }, nullptr,
     "version 2.10, UTF-16LE, read whole, 100 bytes after the joints", R"("bytes_after_joints":100)"},
};

INSTANTIATE_TEST_SUITE_P(Stops, CheckReport, testing::ValuesIn(kStops),
                         [](const testing::TestParamInfo<StopCase>& row) { return std::string(row.param.name); });

// Of 101 links the last is "link 100", wider than every other label: all are padded to it.
TEST(CheckReportText, ThreeDigitLinkNumberWidensTheLabelColumn) {
    clearModelMarks();
    gModel.keptTextureCount = 101;
    const std::string text = printed(printModelText, ModelCheck{"m.pmx", true, 0, ModelStatus::Clean});
    EXPECT_NE(text.find("\n  link   0  "), std::string::npos) << text;
    EXPECT_NE(text.find("\n  result    clean\n"), std::string::npos) << text;
}

// Each text as a JSON string, `outside` being the bytes of a name on disk.
std::string jsonOf(const std::string& outside) {
    char inside[256];
    utf8NameToInside(inside, sizeof inside, outside.c_str());
    iotest::Capture capture;
    jsonString(inside);
    jsonEndLine();
    return capture.text();
}

TEST(JsonText, WellFormedCharactersPassEveryOtherByteIsEscaped) {
    // Each length of sequence at the ends of its ranges.
    const std::string characters = "a \"b\\c/é😀\xdf\xbf\xe1\x80\x80\xf0\x90\x80\x80\xf4\x80\x80\x80";
    EXPECT_EQ(jsonOf(characters), "\"a \\\"b\\\\c/é😀\xdf\xbf\xe1\x80\x80\xf0\x90\x80\x80\xf4\x80\x80\x80\"\n");
    EXPECT_EQ(jsonOf("\x1b[2J\x7f\t\xc2\x9b"), "\"\\u001b[2J\\u007f\\u0009\\u009b\"\n");
    // A lone byte, overlong forms, a surrogate, a code point past U+10FFFF, a cut sequence.
    EXPECT_EQ(jsonOf("\xe9\xc0\xaf\xe0\x80\x80"), "\"\\udce9\\udcc0\\udcaf\\udce0\\udc80\\udc80\"\n");
    EXPECT_EQ(jsonOf("\xed\xa0\x80\xf4\x90\x80\x80\xe3\x83"),
              "\"\\udced\\udca0\\udc80\\udcf4\\udc90\\udc80\\udc80\\udce3\\udc83\"\n");
    EXPECT_EQ(jsonOf("\xf4\x8f\xbf\xbf\xef\xbf\xbf"), "\"\xf4\x8f\xbf\xbf\xef\xbf\xbf\"\n");
}

TEST(JsonText, FloatsAreTheShortestDecimalThatReadsBackAndNeverNaN) {
    iotest::Capture capture;
    for (float f : {0.6f, -0.8f, 2.1f, 0.0f, 16777217.0f, 1e-45f, 3.4028235e38f}) {
        jsonFloat(f);
        jsonRaw(" ");
    }
    jsonFloat(std::nanf(""));
    jsonRaw(" ");
    jsonFixed2(1.0 / 0.0);
    jsonRaw(" ");
    jsonFixed2(2.8624052);
    jsonEndLine();
    EXPECT_EQ(capture.text(), "0.6 -0.8 2.1 0 16777216 1e-45 3.4028235e+38 null null 2.86\n");
}

} // namespace
