// The sample under examples/sample is what its generator makes. To renew it after changing the
// generator: QV_WRITE_SAMPLE=1 app_tests --gtest_filter=SampleModel.*
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/pmx_builder.h"
#include "tests/support/sample_model.h"

namespace {

TEST(SampleModel, CommittedFilesMatchTheGenerator) {
    const std::string dir = std::string(QV_SOURCE_DIR) + "/examples/sample/";
    for (const sample::SampleFile& f : sample::sampleFiles()) {
        if (std::getenv("QV_WRITE_SAMPLE") != nullptr) {
            std::filesystem::create_directories(std::filesystem::path(dir + f.path).parent_path());
            ASSERT_TRUE(pmxtest::writeFile(dir + f.path, f.bytes));
        }
        EXPECT_EQ(pmxtest::readFile(dir + f.path), f.bytes) << f.path;
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "tex")); // the links point where no image is
}

} // namespace
