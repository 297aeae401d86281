// The sample under examples/sample, repaired as a first-time user would: Yes to both
// questions, OK, and img/a.png picked in the dialog; b.png follows by inference.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/e2e_run.h"
#include "tests/support/e2e_scenario.h"
#include "tests/support/io_test_files.h"
#include "tests/support/sample_model.h"

namespace {

TEST(Sample, FirstRunRepairsBothLinksAndTheTwistAxis) {
    ASSERT_FALSE(e2e::programPath().empty()) << "QV_BINARY is not set";
    iotest::TempFolder tmp;
    std::filesystem::copy(std::string(QV_SOURCE_DIR) + "/examples/sample", tmp.path(),
                          std::filesystem::copy_options::recursive);
    pmxtest::PmxLayout layout;
    const std::string source = e2e::toBytes(pmxtest::buildPmx(sample::sampleModelRecipe(), &layout));
    ASSERT_EQ(iotest::readFile(tmp.file("sample.pmx")), source);

    e2e::ProgramRun run = e2e::runProgram({tmp.file("sample.pmx")}, "C", "y\ny\n\nimg/a.png\n");
    EXPECT_EQ(run.status, 0);
    for (const char* line : {" left wrist twist \r\n", "0: tex\\a.png (=NG=)\n",
                             "\n => (renew) img\\a.png \n",
                             "1: tex\\b.png (inferred) => (renew) img\\b.png \n",
                             " sample-new.pmx \r\n \r\n was saved. \r\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;

    std::string expected =
        e2e::withAxis(source, layout.fixedAxisOffsets[sample::kBentBone], 0.6f, -0.8f, 0.0f);
    expected = e2e::withTextures(expected, layout, {"img\\a.png", "img\\b.png"}, 0);
    EXPECT_EQ(iotest::readFile(tmp.file("sample-new.pmx")), expected);
}

} // namespace
