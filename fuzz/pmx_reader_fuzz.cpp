// Fuzz target: readPmx on arbitrary bytes, and for every file it accepts the repaired copy
// written with all twist verdicts set and texture 0 renewed, as the driver would after
// "Yes" answers. Only crashes and sanitizer reports count; results are not judged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "pmx/model.h"
#include "pmx/reader.h"
#include "pmx/writer.h"
#include "tests/support/io_test_files.h"
#include "tests/support/pmx_builder.h"

namespace {

// Paths far below the program's 259-byte limit: a short folder below the temporary one.
std::string gSourceOutside;
std::string gSourceInside;
std::string gCopyInside;

void markRepairs() {
    for (TwistSlot& twist : gModel.twists) {
        twist.verdict = twist.found;
        twist.correctedAxis = Vec3{0.5f, -0.25f, 0.75f};
    }
    if (gModel.keptTextureCount > 0) {
        std::strcpy(gModel.correctedTexturePaths[0], "tex\\a.png");
        gModel.textureRenewed[0] = true;
        gModel.texturesChanged = true;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qvfuzz::silenceConsole();
    static const iotest::TempFolder folder; // removed when libFuzzer ends by exit()
    gSourceOutside = folder.file("in.pmx");
    gSourceInside = iotest::insidePath(gSourceOutside);
    gCopyInside = iotest::insidePath(folder.file("in-new.pmx"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!pmxtest::writeFile(gSourceOutside, std::vector<std::uint8_t>(data, data + size))) return 0;
    clearModelMarks();
    if (readPmx(gSourceInside.c_str()) != 0) return 0;
    markRepairs();
    writePatchedPmx(gCopyInside.c_str(), gSourceInside.c_str());
    return 0;
}
