// readPmx: the reading sequence of one PMX file, header first, then the nine sections in
// file order; the first section that meets an error is the last one read.
#include "pmx/reader.h"

#include "io/read_stream.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "pmx/read_parts.h"
#include "pmx/read_report.h"

namespace {

using SectionReader = int (*)();
// In file order, after the header (ReadSection's order).
const SectionReader kSections[] = {
    readVertices, readFaces,         readTextures,    readMaterials, readBones,
    readMorphs,   readDisplayFrames, readRigidBodies, readJoints,
};
constexpr int kSectionCount = kReadSectionCount - 1;
static_assert(sizeof kSections / sizeof kSections[0] == kSectionCount, "one reader per section");

bool gWasWhole = false;
bool gOutOfStep = false;

bool headerIndexWidthsDefined()
{
    const std::uint8_t widths[] = {gModel.vertexIndexSize,   gModel.textureIndexSize,
                                   gModel.materialIndexSize, gModel.boneIndexSize,
                                   gModel.morphIndexSize,    gModel.rigidBodyIndexSize};
    for (std::uint8_t width : widths)
        if (!plainIndexWidth(width)) return false;
    return true;
}

} // namespace

int readPmx(const char* path)
{
    gWasWhole = false;
    gOutOfStep = false;
    clearReadReport();
    consolePrint("Reading from: %s \n", platform::shownPath(path));
    if (ReadStream::openModel(path) != 0) return -1;
    if (readHeader() != 0) return 2;
    noteEndOfFileIn(ReadSection::Header);
    gOutOfStep = !headerIndexWidthsDefined();

    bool failed = false;
    for (int s = 0; s < kSectionCount; ++s) {
        if (kSections[s]() != 0) {
            failed = true;
            break;
        }
        noteEndOfFileIn(static_cast<ReadSection>(s + 1));
    }
    if (!failed) {
        consolePrint("OK. \n");
        if (ReadStream::status() == 0) {
            // Still open after the joints: no section met the end of the file.
            gWasWhole = !gOutOfStep;
            const std::int32_t jointsEnd = ReadStream::position();
            int next = ReadStream::readByte();
            if (next == -1) {
                consolePrint("PMX 2.0: correctly read-in: OK. \n");
            } else {
                consolePrint("PMX 2.1: reading extended data ...\n");
                readTrailingData(next);
            }
            gReadReport.bytesAfterJoints = ReadStream::position() - jointsEnd;
        }
        consolePrint("done. \n");
    }
    ReadStream::close();
    consolePrint("\n");
    return 0;
}

bool readPmxWasWhole() { return gWasWhole; }

bool readPmxWentOutOfStep() { return gOutOfStep; }
