// writePatchedPmx: the repaired copy of the source, written to a temporary file beside the
// destination and renamed over it only when complete, so a failed save damages nothing.
// The temporary file is always a new one: an entry of its name (a link to the source among
// them) is passed over for the next name. The stretches to replace (texture block, fixed
// axes) are applied in file order, and only to the very file the reader read.
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
// Names tried for the temporary file: ".tmp", then ".1.tmp" up to ".99.tmp".
constexpr int kTemporaryNames = 100;
constexpr char kLongestSuffix[] = ".99.tmp";
constexpr int kTemporaryPathBytes = kPathBytes + static_cast<int>(sizeof kLongestSuffix);
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

// The temporary file's name number `n` (0 for the plain ".tmp") in gTemporaryPath. 0, or -1
// when the destination is too long for any of them.
int makeTemporaryPath(const char* destination, int n)
{
    std::size_t length = std::strlen(destination);
    if (length > sizeof gTemporaryPath - sizeof kLongestSuffix) return -1;
    std::memcpy(gTemporaryPath, destination, length);
    char* end = gTemporaryPath + length;
    if (n > 0) {
        *end++ = '.';
        if (n >= 10) *end++ = static_cast<char>('0' + n / 10);
        *end++ = static_cast<char>('0' + n % 10);
    }
    std::memcpy(end, kTemporarySuffix, sizeof kTemporarySuffix);
    return 0;
}

// Creates the temporary file under the first name no entry has. 0, or -1 (reported).
int createTemporaryCopy(const char* destination)
{
    for (int n = 0; n < kTemporaryNames; ++n) {
        makeTemporaryPath(destination, n);
        int made = WriteStream::create(gTemporaryPath);
        if (made != 1) return made;
    }
    consolePrint("Cannot open WR file : %s\n", gTemporaryPath);
    return -1;
}

// The source opened again is the file the reader read: same size, same last-write time.
bool sourceIsTheOneRead()
{
    platform::FileStamp now;
    return gModel.sourceStamped && ReadStream::stamp(&now) == 0 &&
           now.size == gModel.sourceStamp.size && now.modified == gModel.sourceStamp.modified;
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
    if (std::strcmp(destination, source) == 0 || makeTemporaryPath(destination, 0) != 0) {
        consolePrint("Cannot open WR file : %s\n", destination);
        return -1;
    }
    if (ReadStream::open(source) != 0) return -1;
    // The recorded offsets belong to the file as it was read; in an edited file they name
    // other bytes.
    if (!sourceIsTheOneRead()) {
        consolePrint("Source changed since read : %s\n", source);
        ReadStream::close();
        return -1;
    }
    if (createTemporaryCopy(destination) != 0) {
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
    platform::releaseTemporaryFile();
    consolePrint("\n");
    return result;
}
