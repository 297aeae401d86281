// The check's report of a model: an index out of step, a file ending in a first record, its
// label column, and the JSON texts: valid UTF-8 whatever the bytes of a name, every other byte
// escaped.
#include <gtest/gtest.h>

#include <string>

#include "app/check_report.h"
#include "app/json_line.h"
#include "pmx/model.h"
#include "tests/pmx/pmx_test_util.h"
#include "tests/support/io_test_files.h"
#include "text/convert.h"

namespace {

std::string printed(void (*print)(const ModelCheck&), const ModelCheck& check) {
    iotest::Capture capture;
    print(check);
    return capture.text();
}

// The report of typicalModel(0) after `edit`, its file cut after `keep(layout)` bytes.
std::string reportOf(void (*print)(const ModelCheck&), void (*edit)(pmxtest::PmxRecipe&),
                     std::int32_t (*keep)(const pmxtest::PmxLayout&)) {
    pmxtest::PmxRecipe recipe = pmxtest::typicalModel(0);
    edit(recipe);
    pmxtest::PmxLayout layout;
    std::vector<std::uint8_t> bytes = pmxtest::buildPmx(recipe, &layout);
    bytes.resize(static_cast<std::size_t>(keep(layout)));
    iotest::TempFolder tmp;
    pmxtest::writeFile(tmp.file("m.pmx"), bytes);
    pmxtest::readModel(iotest::insidePath(tmp.file("m.pmx")));
    return printed(print, ModelCheck{"m.pmx", false, 0, ModelStatus::Unreadable});
}

// An index width the format does not have: the JSON line names that index and its width.
TEST(CheckReportJson, IndexWidthThreeIsNamedOutOfStep) {
    const std::string json = reportOf(printModelJson, [](pmxtest::PmxRecipe& r) { r.rigidBodyIndexSize = 3; },
                                      [](const pmxtest::PmxLayout& l) { return l.trailingStart; });
    EXPECT_NE(json.find(R"("stop":null,"out_of_step":{"index":"rigid_body","width":3})"), std::string::npos) << json;
}

// A model cut in its header (its texture section never read), checked after one with more links
// than are kept, leaves none of its own unchecked.
TEST(CheckReportJson, ModelCutBeforeItsTexturesCountsNoLinkNotChecked) {
    gModel.droppedTextureCount = 3;
    const std::string json = reportOf(printModelJson, [](pmxtest::PmxRecipe&) {},
                                      [](const pmxtest::PmxLayout&) { return std::int32_t{20}; });
    EXPECT_NE(json.find(R"("links_not_checked":0})"), std::string::npos) << json;
}

// A file that ends inside the first record of a section names that record, not the count.
TEST(CheckReportText, FileEndingInsideTheFirstTextureNamesIt) {
    const std::string text = reportOf(printModelText, [](pmxtest::PmxRecipe& r) { r.textures.resize(1); },
                                      [](const pmxtest::PmxLayout& l) { return l.textureEntryStarts[0] + 6; });
    EXPECT_NE(text.find(", in texture 0\n"), std::string::npos) << text;
}

// Of 101 links the last is "link 100", wider than every other label: all are padded to it. One
// link past the capacity is one not checked.
TEST(CheckReportText, ThreeDigitLinkNumberWidensTheLabelColumn) {
    clearModelMarks();
    gModel.keptTextureCount = 101;
    gModel.droppedTextureCount = 1;
    const std::string text = printed(printModelText, ModelCheck{"m.pmx", true, 0, ModelStatus::Clean});
    EXPECT_NE(text.find("\n  link   0  "), std::string::npos) << text;
    EXPECT_NE(text.find("\n  links     1 past the 1024th not checked\n"), std::string::npos) << text;
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
    // A lone byte, overlong forms, a surrogate, code points past U+10FFFF (by its second byte, by
    // its lead byte), a cut sequence.
    EXPECT_EQ(jsonOf("\xe9\xc0\xaf\xe0\x80\x80"), "\"\\udce9\\udcc0\\udcaf\\udce0\\udc80\\udc80\"\n");
    EXPECT_EQ(jsonOf("\xed\xa0\x80\xf4\x90\x80\x80\xf5\x80\x80\x80\xe3\x83"),
              "\"\\udced\\udca0\\udc80\\udcf4\\udc90\\udc80\\udc80\\udcf5\\udc80\\udc80\\udc80\\udce3\\udc83\"\n");
    EXPECT_EQ(jsonOf("\xf4\x8f\xbf\xbf\xef\xbf\xbf"), "\"\xf4\x8f\xbf\xbf\xef\xbf\xbf\"\n");
}

} // namespace
