// The process-wide model, the names that tie bones to slots in both file encodings, and the
// clearing of the per-model marks before each read.
#include "pmx/model.h"

PmxModel gModel;

namespace {

// Japanese names as UTF-8 bytes and as UTF-16LE units (low byte first, zero unit at the end);
// spelled out byte by byte so the tables do not depend on the host's byte order or charset.
// 左腕 / arm_L
const char kArmLJa8[] = "\xE5\xB7\xA6\xE8\x85\x95";
const unsigned char kArmLJa16[] = {0xE6, 0x5D, 0x55, 0x81, 0, 0};
const unsigned char kArmLEn16[] = {'a', 0, 'r', 0, 'm', 0, '_', 0, 'L', 0, 0, 0};
// 右腕 / arm_R
const char kArmRJa8[] = "\xE5\x8F\xB3\xE8\x85\x95";
const unsigned char kArmRJa16[] = {0xF3, 0x53, 0x55, 0x81, 0, 0};
const unsigned char kArmREn16[] = {'a', 0, 'r', 0, 'm', 0, '_', 0, 'R', 0, 0, 0};
// 左ひじ / elbow_L
const char kElbowLJa8[] = "\xE5\xB7\xA6\xE3\x81\xB2\xE3\x81\x98";
const unsigned char kElbowLJa16[] = {0xE6, 0x5D, 0x72, 0x30, 0x58, 0x30, 0, 0};
const unsigned char kElbowLEn16[] = {'e', 0, 'l', 0, 'b', 0, 'o', 0, 'w', 0, '_', 0, 'L', 0, 0, 0};
// 右ひじ / elbow_R
const char kElbowRJa8[] = "\xE5\x8F\xB3\xE3\x81\xB2\xE3\x81\x98";
const unsigned char kElbowRJa16[] = {0xF3, 0x53, 0x72, 0x30, 0x58, 0x30, 0, 0};
const unsigned char kElbowREn16[] = {'e', 0, 'l', 0, 'b', 0, 'o', 0, 'w', 0, '_', 0, 'R', 0, 0, 0};
// 左手首 / wrist_L
const char kWristLJa8[] = "\xE5\xB7\xA6\xE6\x89\x8B\xE9\xA6\x96";
const unsigned char kWristLJa16[] = {0xE6, 0x5D, 0x4B, 0x62, 0x96, 0x99, 0, 0};
const unsigned char kWristLEn16[] = {'w', 0, 'r', 0, 'i', 0, 's', 0, 't', 0, '_', 0, 'L', 0, 0, 0};
// 右手首 / wrist_R
const char kWristRJa8[] = "\xE5\x8F\xB3\xE6\x89\x8B\xE9\xA6\x96";
const unsigned char kWristRJa16[] = {0xF3, 0x53, 0x4B, 0x62, 0x96, 0x99, 0, 0};
const unsigned char kWristREn16[] = {'w', 0, 'r', 0, 'i', 0, 's', 0, 't', 0, '_', 0, 'R', 0, 0, 0};

// 左腕捩 / arm twist_L
const char kArmTwistLJa8[] = "\xE5\xB7\xA6\xE8\x85\x95\xE6\x8D\xA9";
const unsigned char kArmTwistLJa16[] = {0xE6, 0x5D, 0x55, 0x81, 0x69, 0x63, 0, 0};
const unsigned char kArmTwistLEn16[] = {'a', 0, 'r', 0, 'm', 0, ' ', 0, 't', 0, 'w', 0,
                                        'i', 0, 's', 0, 't', 0, '_', 0, 'L', 0, 0, 0};
// 左手捩 / wrist twist_L
const char kWristTwistLJa8[] = "\xE5\xB7\xA6\xE6\x89\x8B\xE6\x8D\xA9";
const unsigned char kWristTwistLJa16[] = {0xE6, 0x5D, 0x4B, 0x62, 0x69, 0x63, 0, 0};
const unsigned char kWristTwistLEn16[] = {'w', 0, 'r', 0, 'i', 0, 's', 0, 't', 0, ' ', 0, 't', 0,
                                          'w', 0, 'i', 0, 's', 0, 't', 0, '_', 0, 'L', 0, 0, 0};
// 右腕捩 / arm twist_R
const char kArmTwistRJa8[] = "\xE5\x8F\xB3\xE8\x85\x95\xE6\x8D\xA9";
const unsigned char kArmTwistRJa16[] = {0xF3, 0x53, 0x55, 0x81, 0x69, 0x63, 0, 0};
const unsigned char kArmTwistREn16[] = {'a', 0, 'r', 0, 'm', 0, ' ', 0, 't', 0, 'w', 0,
                                        'i', 0, 's', 0, 't', 0, '_', 0, 'R', 0, 0, 0};
// 右手捩 / wrist twist_R
const char kWristTwistRJa8[] = "\xE5\x8F\xB3\xE6\x89\x8B\xE6\x8D\xA9";
const unsigned char kWristTwistRJa16[] = {0xF3, 0x53, 0x4B, 0x62, 0x69, 0x63, 0, 0};
const unsigned char kWristTwistREn16[] = {'w', 0, 'r', 0, 'i', 0, 's', 0, 't', 0, ' ', 0, 't', 0,
                                          'w', 0, 'i', 0, 's', 0, 't', 0, '_', 0, 'R', 0, 0, 0};

} // namespace

const SlotName kBoneSlotNames[kBoneSlotCount] = {
    {kArmLJa8, kArmLJa16, "arm_L", kArmLEn16},
    {kArmRJa8, kArmRJa16, "arm_R", kArmREn16},
    {kElbowLJa8, kElbowLJa16, "elbow_L", kElbowLEn16},
    {kElbowRJa8, kElbowRJa16, "elbow_R", kElbowREn16},
    {kWristLJa8, kWristLJa16, "wrist_L", kWristLEn16},
    {kWristRJa8, kWristRJa16, "wrist_R", kWristREn16},
};

const SlotName kTwistSlotNames[kTwistSlotCount] = {
    {kArmTwistLJa8, kArmTwistLJa16, "arm twist_L", kArmTwistLEn16},
    {kWristTwistLJa8, kWristTwistLJa16, "wrist twist_L", kWristTwistLEn16},
    {kArmTwistRJa8, kArmTwistRJa16, "arm twist_R", kArmTwistREn16},
    {kWristTwistRJa8, kWristTwistRJa16, "wrist twist_R", kWristTwistREn16},
};

void clearModelMarks()
{
    for (BoneSlot& slot : gModel.bones) slot.found = false;
    for (TwistSlot& slot : gModel.twists) {
        slot.found = false;
        slot.axisOffset = 0;
        slot.verdict = false;
    }
    gModel.textureBlockStart = 0;
    gModel.textureBlockEnd = 0;
    gModel.texturesChanged = false;
    for (bool& renewed : gModel.textureRenewed) renewed = false;
    for (bool& tooLong : gModel.textureTooLong) tooLong = false;
    // A read that fails before the texture section must not leave the previous model's
    // texture list to be checked and repaired.
    gModel.textureCount = 0;
    gModel.keptTextureCount = 0;
    gModel.droppedTextureCount = 0;
}
