// The one in-memory model of the PMX file being repaired: header, counts, texture tables,
// the named-bone and twist slots with the file offsets the writer patches, and the repair
// decisions the driver adds. No geometry is kept.
#pragma once

#include <cstdint>

constexpr int kTextureCapacity = 1024;
constexpr int kTexturePathBytes = 520;
constexpr int kModelTextBytes = 256; // 254 bytes of text and two zero bytes
constexpr int kModelTextKeptBytes = 254;

struct Vec3 {
    float x, y, z;
};

struct BoneSlot {
    bool found;
    Vec3 position;
};

struct TwistSlot {
    bool found;
    Vec3 position; // the twist bone's own position: it must lie on the segment it turns along
    Vec3 axis;
    std::int32_t axisOffset; // offset of the 12-byte fixed axis in the source; 0: not recorded
    Vec3 correctedAxis;
    bool verdict; // the writer replaces the axis by correctedAxis
};

// Slot order of the tables below; the twist order is also the order of the questions.
enum BoneSlotId { kArmL, kArmR, kElbowL, kElbowR, kWristL, kWristR, kBoneSlotCount };
enum TwistSlotId { kArmTwistL, kWristTwistL, kArmTwistR, kWristTwistR, kTwistSlotCount };

struct PmxModel {
    // Header.
    float version;
    std::uint8_t textEncoding; // 0 UTF-16LE, other UTF-8
    std::uint8_t additionalUvCount;
    std::uint8_t vertexIndexSize;
    std::uint8_t textureIndexSize;
    std::uint8_t materialIndexSize;
    std::uint8_t boneIndexSize;
    std::uint8_t morphIndexSize;
    std::uint8_t rigidBodyIndexSize;

    // Model texts in the file's encoding, cut to 254 bytes and ended by two zero bytes.
    unsigned char modelName[kModelTextBytes];
    unsigned char modelNameEnglish[kModelTextBytes];
    unsigned char comment[kModelTextBytes];
    unsigned char commentEnglish[kModelTextBytes];

    // Counts as stored.
    std::int32_t vertexCount;
    std::int32_t faceCount;
    std::int32_t textureCount;
    std::int32_t materialCount;
    std::int32_t boneCount;
    std::int32_t morphCount;
    std::int32_t displayFrameCount;
    std::int32_t rigidBodyCount;
    std::int32_t jointCount;

    // Textures (Shift-JIS).
    char texturePaths[kTextureCapacity][kTexturePathBytes];
    char correctedTexturePaths[kTextureCapacity][kTexturePathBytes];
    std::int32_t keptTextureCount;
    // Textures read whole past the table's capacity: passed over, so nothing checks them.
    std::int32_t droppedTextureCount;
    std::int32_t textureBlockStart; // offset of the texture count field; 0: not recorded
    std::int32_t textureBlockEnd;   // offset of the material count field; 0: not recorded
    bool texturesChanged;
    // Entry k was renewed by the driver (the writer re-encodes only these).
    bool textureRenewed[kTextureCapacity];
    // Entry k was longer than a path entry holds: what is kept is cut and names another file.
    bool textureTooLong[kTextureCapacity];

    BoneSlot bones[kBoneSlotCount];
    TwistSlot twists[kTwistSlotCount];
};

extern PmxModel gModel;

// The names that tie bones to slots, in the two encodings a file can use.
struct SlotName {
    const char* japaneseUtf8;
    const unsigned char* japaneseUtf16; // ended by a zero unit
    const char* english;                // ASCII
    const unsigned char* englishUtf16;  // ended by a zero unit
};
extern const SlotName kBoneSlotNames[kBoneSlotCount];
extern const SlotName kTwistSlotNames[kTwistSlotCount];

// Clears the per-model marks before a read: found flags, offsets, verdicts, texturesChanged,
// textureRenewed, textureTooLong, textureCount, keptTextureCount and droppedTextureCount.
void clearModelMarks();
