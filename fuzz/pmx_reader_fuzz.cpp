// Fuzz target: readPmx on arbitrary bytes, and for every file it accepts the repaired copy
// written with all twist verdicts set and texture 0 renewed, as the driver would after
// "Yes" answers. Only crashes and sanitizer reports count; results are not judged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "pmx/model.h"
#include "pmx/reader.h"
#include "pmx/writer.h"

namespace {

std::string gSourceOutside;
std::string gSourceInside;
std::string gCopyInside;

bool writeSource(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(gSourceOutside.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

void markRepairs() {
    for (TwistSlot& twist : gModel.twists) {
        if (!twist.found) continue;
        twist.verdict = true;
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
    const std::string folder = qvfuzz::makeTemporaryFolder();
    gSourceOutside = folder + "/in.pmx";
    gSourceInside = qvfuzz::insidePath(gSourceOutside);
    gCopyInside = qvfuzz::insidePath(folder + "/in-new.pmx");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!writeSource(data, size)) return 0;
    clearModelMarks();
    if (readPmx(gSourceInside.c_str()) != 0) return 0;
    markRepairs();
    writePatchedPmx(gCopyInside.c_str(), gSourceInside.c_str());
    return 0;
}
