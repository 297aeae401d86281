// The bone section of a PMX file: every bone is passed over field by field; the six arm
// bones leave their positions and the four twist bones their fixed axes (with its offset).
#include "io/read_stream.h"
#include "platform/console.h"
#include "pmx/read_parts.h"
#include "pmx/read_report.h"

namespace {

// Flag bits that carry data, in the order their fields follow the flags.
constexpr unsigned kConnection = 0x0001;
constexpr unsigned kIk = 0x0020;
constexpr unsigned kInherit = 0x0100 | 0x0200;
constexpr unsigned kFixedAxis = 0x0400;
constexpr unsigned kLocalAxes = 0x0800;
constexpr unsigned kExternalParent = 0x2000;

constexpr int kNoSlot = -1;
constexpr int kTwistBase = kBoneSlotCount; // twist slots follow the bone slots in a lookup

unsigned char gName[kModelTextBytes];
unsigned char gEnglishName[kModelTextBytes];
char gSjisName[kSjisTextBytes];

// The slots of this reading that a bone's Japanese name filled: a later bone that matches only
// by its English name (a wrist tip named wrist_R, a cloak bone named arm_R) takes none of them.
constexpr int kSlotCount = kTwistBase + static_cast<int>(kTwistSlotCount);
bool gFilledByJapaneseName[kSlotCount];

struct SlotMatch {
    int slot;
    bool byJapaneseName;
};

// The one slot a bone fills: its Japanese name decides; the English name counts only for a
// bone whose Japanese name is none of the ten (models named in English alone).
SlotMatch slotOfBone()
{
    for (int s = 0; s < kBoneSlotCount; ++s)
        if (textEquals(gName, kBoneSlotNames[s].japaneseUtf8, kBoneSlotNames[s].japaneseUtf16))
            return {s, true};
    for (int s = 0; s < kTwistSlotCount; ++s)
        if (textEquals(gName, kTwistSlotNames[s].japaneseUtf8, kTwistSlotNames[s].japaneseUtf16))
            return {kTwistBase + s, true};
    for (int s = 0; s < kBoneSlotCount; ++s)
        if (textEquals(gEnglishName, kBoneSlotNames[s].english, kBoneSlotNames[s].englishUtf16))
            return {s, false};
    for (int s = 0; s < kTwistSlotCount; ++s)
        if (textEquals(gEnglishName, kTwistSlotNames[s].english, kTwistSlotNames[s].englishUtf16))
            return {kTwistBase + s, false};
    return {kNoSlot, false};
}

// The bone may fill the slot it matches: always by its Japanese name (the later such bone
// wins), by its English name only while no Japanese name has filled the slot.
bool takesSlot(const SlotMatch& match)
{
    if (match.slot == kNoSlot) return false;
    if (!match.byJapaneseName && gFilledByJapaneseName[match.slot]) return false;
    gFilledByJapaneseName[match.slot] = match.byJapaneseName;
    return true;
}

Vec3 readVec3()
{
    Vec3 v;
    v.x = ReadStream::readFloat();
    v.y = ReadStream::readFloat();
    v.z = ReadStream::readFloat();
    return v;
}

void readIk(int boneWidth)
{
    skipIndices(boneWidth, 1); // target
    skipBytes(4 + 4);          // loop count, limit angle
    std::int32_t linkCount = ReadStream::readInt32();
    // A link count read from a damaged file can be huge: nothing is left once the input ends.
    for (std::int32_t k = 0; k < linkCount && ReadStream::status() == 0; ++k) {
        skipIndices(boneWidth, 1);
        if (ReadStream::readByte() == 1) skipBytes(6 * 4); // lower and upper limits
    }
}

} // namespace

int readBones()
{
    gModel.boneCount = ReadStream::readInt32();
    consolePrint("%d Bones.\n", gModel.boneCount);
    const int boneWidth = gModel.boneIndexSize;
    for (bool& filled : gFilledByJapaneseName) filled = false;
    for (std::int32_t i = 0; i < gModel.boneCount; ++i) {
        if (ReadStream::status() != 0) return stopReading(ReadStop::FileEnded, ReadSection::Bones, i - 1, 0);
        readText(gName);
        readText(gEnglishName);
        // The converted names are not kept; UTF-8 models show their conversion trace.
        textToSjis(gSjisName, gName);
        textToSjis(gSjisName, gEnglishName);

        Vec3 position = readVec3();
        // A position or axis cut by the end of the file is no value to keep: right after it
        // the stream is still open only when all of its bytes arrived.
        const bool positionWhole = ReadStream::status() == 0;
        skipIndices(boneWidth, 1); // parent
        skipBytes(4);              // deform layer
        const SlotMatch match = slotOfBone();
        const int slot = match.slot;
        if (slot != kNoSlot && slot < kBoneSlotCount && positionWhole && takesSlot(match)) {
            gModel.bones[slot].position = position;
            gModel.bones[slot].found = true;
        }

        const unsigned flags = static_cast<unsigned>(ReadStream::readInt16()) & 0xFFFFu;
        if (flags & kConnection) skipIndices(boneWidth, 1);
        else skipBytes(3 * 4); // tail offset
        if (flags & kInherit) {
            skipIndices(boneWidth, 1);
            skipBytes(4);
        }
        if (flags & kFixedAxis) {
            const std::int32_t axisOffset = ReadStream::position();
            Vec3 axis = readVec3();
            if (slot >= kTwistBase && positionWhole && ReadStream::status() == 0 && takesSlot(match)) {
                TwistSlot& twist = gModel.twists[slot - kTwistBase];
                twist.position = position;
                twist.axis = axis;
                twist.axisOffset = axisOffset;
                twist.found = true;
            }
        }
        if (flags & kLocalAxes) skipBytes(6 * 4);
        if (flags & kExternalParent) skipBytes(4);
        if (flags & kIk) readIk(boneWidth);
    }
    return 0;
}
