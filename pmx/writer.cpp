// writePatchedPmx: the repaired copy of the source, written to a temporary file beside the
// destination and renamed over it only when complete, so a failed save damages nothing.
// The stretches to replace (texture block, fixed axes) are applied in file order.
#include "pmx/writer.h"

#include <cstring>

#include "io/path.h"
#include "io/read_stream.h"
#include "io/write_stream.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "pmx/model.h"
#include "pmx/write_parts.h"

namespace {

constexpr char kTemporarySuffix[] = ".tmp";
constexpr int kTemporaryPathBytes = kPathBytes + static_cast<int>(sizeof kTemporarySuffix);
constexpr int kMaxPatches = 1 + kTwistSlotCount;
constexpr int kTextureBlockPatch = -1; // patch id; twist patches use their slot number
constexpr std::int32_t kAxisBytes = 12;

struct Patch {
    std::int32_t offset; // source offset where the replaced stretch begins
    int id;
};

char gTemporaryPath[kTemporaryPathBytes];
char gShownName[kPathBytes];

// The stretches to replace, in ascending source offset: the twist bones may stand in any
// order in the file.
int collectPatches(Patch* patches)
{
    int n = 0;
    if (gModel.texturesChanged && gModel.textureBlockStart != 0)
        patches[n++] = Patch{gModel.textureBlockStart, kTextureBlockPatch};
    for (int s = 0; s < kTwistSlotCount; ++s)
        if (gModel.twists[s].verdict && gModel.twists[s].axisOffset != 0)
            patches[n++] = Patch{gModel.twists[s].axisOffset, s};
    for (int i = 1; i < n; ++i)
        for (int j = i; j > 0 && patches[j].offset < patches[j - 1].offset; --j) {
            Patch t = patches[j];
            patches[j] = patches[j - 1];
            patches[j - 1] = t;
        }
    return n;
}

int writeAxis(int slot)
{
    unsigned char oldAxis[kAxisBytes];
    if (ReadStream::readBlock(oldAxis, kAxisBytes) != kAxisBytes) return -1;
    const Vec3& axis = gModel.twists[slot].correctedAxis;
    WriteStream::writeFloat(axis.x);
    WriteStream::writeFloat(axis.y);
    WriteStream::writeFloat(axis.z);
    if (WriteStream::status() != 0) {
        consolePrint("Error writing file. \n");
        return -1;
    }
    return 0;
}

// Copies the source to the open write stream with the patches applied. 0 or -1.
int copyWithPatches()
{
    Patch patches[kMaxPatches];
    const int count = collectPatches(patches);
    for (int i = 0; i < count; ++i) {
        std::int32_t gap = patches[i].offset - ReadStream::position();
        // Overlapping stretches cannot come from one reading of the file.
        if (gap < 0) return -1;
        if (copyBytes(gap) != gap) return -1;
        int result = patches[i].id == kTextureBlockPatch ? writeTextureBlock() : writeAxis(patches[i].id);
        if (result != 0) return -1;
    }
    if (copyRest() == -1) {
        consolePrint("Failed in writing to end. \n");
        return -1;
    }
    return 0;
}

int makeTemporaryPath(const char* destination)
{
    std::size_t length = std::strlen(destination);
    if (length > sizeof gTemporaryPath - sizeof kTemporarySuffix) return -1;
    std::memcpy(gTemporaryPath, destination, length);
    std::memcpy(gTemporaryPath + length, kTemporarySuffix, sizeof kTemporarySuffix);
    return 0;
}

void showFileName(const char* format, const char* path)
{
    // fileNameOf writes no more than the path holds; longer paths are shown whole.
    if (std::strlen(path) < sizeof gShownName) {
        fileNameOf(gShownName, path);
        consolePrint(format, gShownName);
    } else {
        consolePrint(format, path);
    }
}

} // namespace

int writePatchedPmx(const char* destination, const char* source)
{
    showFileName("Reading from: %s \n", source);
    showFileName("Writing to  : %s \n", destination);
    // The source is never written: a destination naming it is refused.
    if (std::strcmp(destination, source) == 0 || makeTemporaryPath(destination) != 0) {
        consolePrint("Cannot open WR file : %s\n", destination);
        return -1;
    }
    if (ReadStream::open(source) != 0) return -1;
    if (WriteStream::open(gTemporaryPath) != 0) {
        ReadStream::close();
        return -1;
    }

    int result = copyWithPatches();
    // Closing writes out the last buffer: only then is it known that every byte arrived.
    if (WriteStream::close() != 0 && result == 0) {
        consolePrint("Error writing file. \n");
        result = -1;
    }
    ReadStream::close();
    if (result == 0 && platform::renameReplace(gTemporaryPath, destination) != 0) {
        consolePrint("Cannot replace WR file : %s\n", destination);
        result = -1;
    }
    if (result != 0) platform::removeFile(gTemporaryPath);
    consolePrint("\n");
    return result;
}
