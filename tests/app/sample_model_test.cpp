// The sample under examples/sample is what its generator makes. To renew it after changing the
// generator: QV_WRITE_SAMPLE=1 app_tests --gtest_filter=SampleModel.*
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/pmx_builder.h"
#include "tests/support/sample_model.h"

namespace {

const std::string kSampleDir = std::string(QV_SOURCE_DIR) + "/examples/sample/";

TEST(SampleModel, CommittedFilesMatchTheGenerator) {
    const std::vector<sample::SampleFile> files = sample::sampleFiles();
    if (std::getenv("QV_WRITE_SAMPLE") != nullptr) {
        for (const sample::SampleFile& f : files) {
            std::filesystem::create_directories(
                std::filesystem::path(kSampleDir + f.relativePath).parent_path());
            ASSERT_TRUE(pmxtest::writeFile(kSampleDir + f.relativePath, f.bytes));
        }
    }
    for (const sample::SampleFile& f : files) {
        EXPECT_EQ(pmxtest::readFile(kSampleDir + f.relativePath), f.bytes) << f.relativePath;
    }
    // The links point at tex\, where no image is.
    EXPECT_FALSE(std::filesystem::exists(kSampleDir + "tex"));
}

TEST(SampleModel, PngIsWellFormed) {
    const std::vector<std::uint8_t> png = sample::onePixelPng(1, 2, 3);
    ASSERT_EQ(png.size(), 8u + 25u + 27u + 12u); // signature, IHDR, IDAT, IEND
    // IEND's CRC is the well-known AE 42 60 82.
    EXPECT_EQ(std::vector<std::uint8_t>(png.end() - 4, png.end()),
              (std::vector<std::uint8_t>{0xAE, 0x42, 0x60, 0x82}));
}

} // namespace
