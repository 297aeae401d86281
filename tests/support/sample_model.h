// The generator of the sample under examples/sample: a small model whose two texture links
// point at a folder the images were moved out of, and whose left wrist twist has a wrong fixed
// axis, with the two tiny PNG images it uses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sample {

struct SampleFile {
    std::string path; // relative to examples/sample (outside form)
    std::vector<std::uint8_t> bytes;
};

// sample.pmx, img/a.png and img/b.png.
std::vector<SampleFile> sampleFiles();

} // namespace sample
