// The generator of the sample under examples/sample: a small model whose two texture links
// point at a folder the images were moved out of, and one twist bone with a wrong fixed axis,
// with the two tiny PNG images it uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

namespace sample {

// Files of the sample, relative to examples/sample (outside form).
struct SampleFile {
    std::string relativePath;
    std::vector<std::uint8_t> bytes;
};

pmxtest::PmxRecipe sampleModelRecipe();
// Index of the bone whose fixed axis is wrong, and the axis the program should give it.
constexpr int kBentBone = 4; // left wrist twist
// A valid 1x1 RGB PNG of one colour (stored deflate block, real CRCs and Adler-32).
std::vector<std::uint8_t> onePixelPng(std::uint8_t r, std::uint8_t g, std::uint8_t b);
// sample.pmx, img/a.png and img/b.png.
std::vector<SampleFile> sampleFiles();

} // namespace sample
