// The name of the repaired copy beside its source: where the stem ends, and a name too long for
// a path buffer refused rather than cut.
#include <gtest/gtest.h>

#include <string>

#include "app/argument_list.h"
#include "app/save_copy.h"
#include "io/path.h"
#include "tests/pmx/pmx_test_util.h"
#include "tests/support/io_test_files.h"

namespace {

TEST(SaveName, StemNewExtension) {
    const std::string folder = "C:\\" + std::string(245, 'f') + "\\";
    const std::pair<std::string, std::string> cases[] = {
        {"model.PMX", "model-new.PMX"},
        {"C:\\m\\.pmx", "C:\\m\\-new.pmx"},        // all extension
        {"C:\\old.2\\model", "C:\\old.2\\model-new"},  // a dot in the folder
        {"C:\\a/b.pmx", "C:\\a/b-new.pmx"},            // a name after a slash
        {"C:\\a.d/b", "C:\\a.d/b-new"},                // a dot before the slash is no extension
        {"C:\\m\\\x95\x5C.pmx", "C:\\m\\\x95\x5C-new.pmx"}, // 0x5C as trail byte
        {folder + "ab.pmx", folder + "ab-new.pmx"},    // 259 bytes: fits
        {folder + "abc.pmx", "<refused>"},
    };
    for (const auto& c : cases) {
        char out[kPathBytes];
        const int result = newCopyName(out, sizeof out, c.first.c_str());
        EXPECT_EQ((result == 0 ? "" : "<refused>") + std::string(out), c.second) << c.first; // refused: empty
    }
}

// A copy whose name cannot fit is a failed save, never one under a cut name.
TEST(SaveName, CopyNameThatCannotFitFailsTheSave) {
    const std::string model = "C:\\" + std::string(245, 'f') + "\\abc.pmx";
    iotest::Capture capture;
    EXPECT_EQ(saveRepairedCopy(model.c_str(), 0), -1);
    EXPECT_EQ(capture.text(), "Too long path for the new file. \nNew PMX save failed. \n");
}

// Only the models after the one saved are kept from being replaced: one read before may be.
TEST(SaveName, CopyMayReplaceAModelReadBefore) {
    iotest::TempFolder tmp;
    const std::vector<std::uint8_t> bytes = pmxtest::buildPmx(pmxtest::typicalModel(0));
    pmxtest::writeFile(tmp.file("m.pmx"), bytes);
    iotest::writeFile(tmp.file("m-new.pmx"), "read before");
    const std::string copy = iotest::insidePath(tmp.file("m-new.pmx"));
    const std::string model = iotest::insidePath(tmp.file("m.pmx"));
    // The slot past the last entry is left naming the copy, as a loop one entry too far would see.
    clearArguments();
    for (const std::string& entry : {copy, model, copy}) collectArgument(entry.c_str(), false);
    clearArguments();
    for (const std::string& entry : {copy, model}) collectArgument(entry.c_str(), false);
    ASSERT_EQ(pmxtest::readModel(model).result, 0);
    iotest::Capture capture;
    EXPECT_EQ(saveRepairedCopy(model.c_str(), 2), 0) << capture.text();
    EXPECT_EQ(pmxtest::readFile(tmp.file("m-new.pmx")), bytes); // nothing repaired: the source's bytes
}

} // namespace
