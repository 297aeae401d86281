// writePatchedPmx: the repaired copy of the source, made in the folder the source was read from
// (held since the read, whatever its name leads to now) and given the destination's name only
// when complete and synced, so a failed save damages nothing. The copy has no name while it is
// written where the system allows, else a temporary one that is always new: an entry of its name
// (a link to the source among them) is passed over for the next name. The stretches to replace
// (texture block, fixed axes) are applied in file order, and only to the very file the reader
// read, unchanged.
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

// The file name in `path`, a destination or temporary path: past its folder's gFolderBytes.
std::size_t gFolderBytes = 0;
const char* nameIn(const char* path) { return path + gFolderBytes; }

// The bytes of `path` before its file name.
std::size_t folderBytes(const char* path)
{
    fileNameOf(gShownName, path);
    return std::strlen(path) - std::strlen(gShownName);
}

// The copy, made where the model was read: without a name where the system allows, else under the
// first temporary name no entry has. 0 and the file, or -1 (reported).
int createCopy(const char* destination, std::FILE** file, bool* unnamed)
{
    // What was printed so far is out before the copy exists: a signal then loses nothing of it.
    platform::consoleFlush();
    *unnamed = platform::createUnnamedCopy(file) == 0;
    if (*unnamed) return 0;
    for (int n = 0; n < kTemporaryNames; ++n) {
        makeTemporaryPath(destination, n);
        int made = platform::createNamedCopy(nameIn(gTemporaryPath), file);
        if (made == 0) return 0;
        if (made != 1) break;
    }
    consolePrint("Cannot open WR file : %s\n", platform::shownPath(gTemporaryPath));
    return -1;
}

// Makes the complete copy durable and names it as the destination: an unnamed one directly when
// that name is free, else through a temporary name, renamed over the destination. 0, or -1
// (reported).
int publishCopy(std::FILE* file, bool unnamed, const char* destination)
{
    int result = platform::finishCopy(file, nameIn(destination));
    if (result != 0) consolePrint("Error writing file. \n");
    if (result == 0 && unnamed) {
        result = platform::nameCopy(file, nameIn(destination));
        for (int n = 0; result == 1 && n < kTemporaryNames; ++n) {
            makeTemporaryPath(destination, n);
            result = platform::nameCopy(file, nameIn(gTemporaryPath));
        }
        if (result != 0) {
            consolePrint("Cannot replace WR file : %s\n", platform::shownPath(destination));
            result = -1;
        }
    }
    std::fclose(file);
    if (result == 0 && platform::renameCopy(nameIn(destination)) != 0) {
        consolePrint("Cannot replace WR file : %s\n", platform::shownPath(destination));
        result = -1;
    }
    return result;
}

void showFileName(const char* format, const char* path)
{
    // fileNameOf writes no more than the path holds; longer paths are shown whole.
    if (std::strlen(path) < sizeof gShownName) {
        fileNameOf(gShownName, path);
        consolePrint(format, gShownName);
    } else {
        consolePrint(format, platform::shownPath(path));
    }
}

// The copy goes into the folder the source was read from: a destination named in another folder
// is refused, as is the source itself.
bool besideSource(const char* destination, const char* source)
{
    if (std::strlen(destination) >= sizeof gShownName || std::strlen(source) >= sizeof gShownName) return false;
    gFolderBytes = folderBytes(destination);
    return std::strcmp(destination, source) != 0 && folderBytes(source) == gFolderBytes &&
           std::memcmp(destination, source, gFolderBytes) == 0;
}

} // namespace

int writePatchedPmx(const char* destination, const char* source)
{
    showFileName("Reading from: %s \n", source);
    showFileName("Writing to  : %s \n", destination);
    if (!besideSource(destination, source) || makeTemporaryPath(destination, 0) != 0) {
        consolePrint("Cannot open WR file : %s\n", platform::shownPath(destination));
        return -1;
    }
    // The recorded offsets belong to the file as it was read; in an edited file, or another file
    // put in its place, they name other bytes.
    int opened = ReadStream::reopenModel(source);
    if (opened == 1) consolePrint("Source changed since read : %s\n", platform::shownPath(source));
    if (opened != 0) return -1;
    std::FILE* file = nullptr;
    bool unnamed = false;
    if (createCopy(destination, &file, &unnamed) != 0 || WriteStream::attach(file) != 0) {
        platform::discardCopy();
        ReadStream::close();
        return -1;
    }

    int result = copyWithPatches();
    file = WriteStream::detach();
    // Only now is it known that every byte arrived.
    if (file == nullptr && result == 0) {
        consolePrint("Error writing file. \n");
        result = -1;
    }
    // An edit while the copy was read.
    if (result == 0 && platform::modelUnchanged() != 0) {
        consolePrint("Source changed since read : %s\n", platform::shownPath(source));
        result = -1;
    }
    ReadStream::close();
    if (file != nullptr) {
        if (result == 0) result = publishCopy(file, unnamed, destination);
        else std::fclose(file);
    }
    if (result != 0) platform::discardCopy();
    consolePrint("\n");
    return result;
}
