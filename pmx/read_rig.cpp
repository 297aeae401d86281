// The rigging sections of a PMX file after the bones: morphs, display frames, rigid bodies
// and joints. All are passed over; only their counts are kept.
#include "io/read_stream.h"
#include "platform/console.h"
#include "pmx/read_parts.h"
#include "pmx/read_report.h"

namespace {

enum MorphKind {
    kGroupMorph = 0, kVertexMorph = 1, kBoneMorph = 2, kUvMorph = 3, kLastUvMorph = 7,
    kMaterialMorph = 8, kFlipMorph = 9, kImpulseMorph = 10
};
constexpr int kLastJointType = 5;

constexpr int kRigidBodyTailBytes = 1 + 2 + 1 + (3 + 3 + 3 + 5) * 4 + 1;
constexpr int kJointTailBytes = 8 * 3 * 4;

unsigned char gText[kModelTextBytes];

// The end-of-input test each record starts with: the end cut the record before it.
bool endedAt(ReadSection section, std::int32_t index)
{
    if (ReadStream::status() == 0) return false;
    stopReading(ReadStop::FileEnded, section, index - 1, 0);
    return true;
}

// One offset of a morph: an index of some kind, then fixed fields.
struct MorphOffset {
    int indexWidth;
    std::int32_t restBytes;
};

MorphOffset morphOffset(int kind)
{
    switch (kind) {
    case kGroupMorph:
    case kFlipMorph: return {gModel.morphIndexSize, 4};
    case kVertexMorph: return {gModel.vertexIndexSize, 3 * 4};
    case kBoneMorph: return {gModel.boneIndexSize, (3 + 4) * 4};
    case kMaterialMorph: return {gModel.materialIndexSize, 1 + 28 * 4};
    case kImpulseMorph: return {gModel.rigidBodyIndexSize, 1 + 6 * 4};
    default: return {gModel.vertexIndexSize, 4 * 4}; // UV and additional UV morphs
    }
}

void skipMorphOffsets(int kind, std::int32_t count)
{
    const MorphOffset offset = morphOffset(kind);
    const int width = offset.indexWidth;
    if (width == 1 || width == 2 || width == 4) {
        skipRecords(count, width + offset.restBytes);
        return;
    }
    // Each index of a width the header does not define is reported on its own.
    for (std::int32_t k = 0; k < count && ReadStream::status() == 0; ++k) {
        skipIndices(width, 1);
        skipBytes(offset.restBytes);
    }
}

} // namespace

int readMorphs()
{
    gModel.morphCount = ReadStream::readInt32();
    consolePrint("%d Morphs.\n", gModel.morphCount);
    for (std::int32_t i = 0; i < gModel.morphCount; ++i) {
        if (endedAt(ReadSection::Morphs, i)) return -1;
        readText(gText);
        readText(gText);
        skipBytes(1); // panel
        const int kind = static_cast<signed char>(ReadStream::readByte());
        if (kind < kGroupMorph || kind > kImpulseMorph)
            return stopReading(ReadStop::UnknownMorphKind, ReadSection::Morphs, i, kind);
        skipMorphOffsets(kind, ReadStream::readInt32());
    }
    return 0;
}

int readDisplayFrames()
{
    gModel.displayFrameCount = ReadStream::readInt32();
    consolePrint("%d Frames.\n", gModel.displayFrameCount);
    for (std::int32_t i = 0; i < gModel.displayFrameCount; ++i) {
        if (endedAt(ReadSection::DisplayFrames, i)) return -1;
        readText(gText);
        readText(gText);
        skipBytes(1); // special flag
        std::int32_t elementCount = ReadStream::readInt32();
        for (std::int32_t k = 0; k < elementCount && ReadStream::status() == 0; ++k) {
            int target = ReadStream::readByte();
            skipIndices(target == 0 ? gModel.boneIndexSize : gModel.morphIndexSize, 1);
        }
    }
    return 0;
}

int readRigidBodies()
{
    gModel.rigidBodyCount = ReadStream::readInt32();
    consolePrint("%d Rigid-bodies.\n", gModel.rigidBodyCount);
    for (std::int32_t i = 0; i < gModel.rigidBodyCount; ++i) {
        if (endedAt(ReadSection::RigidBodies, i)) return -1;
        readText(gText);
        readText(gText);
        skipIndices(gModel.boneIndexSize, 1);
        skipBytes(kRigidBodyTailBytes);
    }
    return 0;
}

int readJoints()
{
    gModel.jointCount = ReadStream::readInt32();
    consolePrint("%d Joints.\n", gModel.jointCount);
    for (std::int32_t i = 0; i < gModel.jointCount; ++i) {
        if (endedAt(ReadSection::Joints, i)) return -1;
        readText(gText);
        readText(gText);
        const int type = static_cast<signed char>(ReadStream::readByte());
        if (type < 0 || type > kLastJointType)
            return stopReading(ReadStop::UnsupportedJointType, ReadSection::Joints, i, type);
        skipIndices(gModel.rigidBodyIndexSize, 2);
        skipBytes(kJointTailBytes);
    }
    return 0;
}
