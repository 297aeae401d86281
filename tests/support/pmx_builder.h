// Test helper: builds PMX 2.0/2.1 files in memory (either text encoding, any index sizes, every
// record kind) and reports where the parts the writer patches stand. Also builds broken files
// (bad deform type, morph kind, joint type, toon-sharing byte, face count) for the reader tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pmxtest {

struct Vec3f {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// Bone flag bits that carry data.
constexpr std::uint16_t kBoneConnection = 0x0001;
constexpr std::uint16_t kBoneIk = 0x0020;
constexpr std::uint16_t kBoneInheritRotation = 0x0100;
constexpr std::uint16_t kBoneInheritTranslation = 0x0200;
constexpr std::uint16_t kBoneFixedAxis = 0x0400;
constexpr std::uint16_t kBoneLocalAxes = 0x0800;
constexpr std::uint16_t kBoneExternalParent = 0x2000;

struct IkLinkRecipe {
    std::int32_t bone = 0;
    std::uint8_t limited = 0; // 1: lower and upper limits follow
    Vec3f lower, upper;
};

struct BoneRecipe {
    std::string name;        // UTF-8, written in the file's encoding
    std::string englishName; // UTF-8, written in the file's encoding
    Vec3f position;
    std::int32_t parent = -1;
    std::int32_t deformLayer = 0;
    std::uint16_t flags = 0;
    std::int32_t connection = -1; // flag 0x0001
    Vec3f tailOffset;             // flag 0x0001 clear
    std::int32_t inheritParent = 0;
    float inheritWeight = 1.0f;
    Vec3f fixedAxis;              // flag 0x0400
    Vec3f localX, localZ;         // flag 0x0800
    std::int32_t externalKey = 0; // flag 0x2000
    std::int32_t ikTarget = 0;    // flag 0x0020
    std::int32_t ikLoopCount = 1;
    float ikLimitAngle = 1.0f;
    std::vector<IkLinkRecipe> ikLinks;
};

// Convenience: a bone with a fixed axis.
BoneRecipe twistBone(const std::string& name, const std::string& englishName, Vec3f axis);
// Convenience: a plain bone at a position.
BoneRecipe plainBone(const std::string& name, const std::string& englishName, Vec3f position);

struct MaterialRecipe {
    std::string name = "mat";
    std::string englishName;
    std::int32_t texture = -1;
    std::int32_t sphereTexture = -1;
    std::uint8_t sphereMode = 0;
    std::uint8_t toonSharing = 0;   // 0: texture index follows; 1: a byte; others are broken
    std::int32_t toon = -1;
    std::string memo;
    std::int32_t faceVertexCount = 0;
};

struct MorphRecipe {
    std::string name = "morph";
    std::string englishName;
    std::uint8_t panel = 1;
    std::uint8_t kind = 1;          // 0..10; any other value is broken
    std::int32_t offsetCount = 1;   // offsets of the kind, filled with zeros / index 0
};

struct FrameElementRecipe {
    std::uint8_t target = 0; // 0: bone index follows; other: morph index
    std::int32_t index = 0;
};

struct FrameRecipe {
    std::string name = "frame";
    std::string englishName;
    std::uint8_t builtIn = 0;
    std::vector<FrameElementRecipe> elements;
};

struct JointRecipe {
    std::string name = "joint";
    std::string englishName;
    std::uint8_t type = 0;          // 0..5; any other value is broken
    std::int32_t bodyA = 0, bodyB = 0;
};

struct PmxRecipe {
    float version = 2.0f;
    std::uint8_t signature[4] = {'P', 'M', 'X', ' '};
    std::uint8_t globalCount = 8;   // above 8: filler bytes (0x01) follow the eight
    std::uint8_t encoding = 0;      // 0 UTF-16LE, 1 UTF-8
    std::uint8_t additionalUvCount = 0;
    std::uint8_t vertexIndexSize = 1;
    std::uint8_t textureIndexSize = 1;
    std::uint8_t materialIndexSize = 1;
    std::uint8_t boneIndexSize = 1;
    std::uint8_t morphIndexSize = 1;
    std::uint8_t rigidBodyIndexSize = 1;

    std::string modelName = "model";
    std::string modelNameEnglish = "model";
    std::string comment;
    std::string commentEnglish;

    // One vertex per entry, of that deform type (0 BDEF1 .. 4 QDEF; others are broken).
    std::vector<std::uint8_t> vertexDeformTypes;
    // Stored vertex index count of the face section (a multiple of 3 unless broken).
    std::int32_t faceIndexCount = 0;
    // Texture paths, UTF-8, written in the file's encoding.
    std::vector<std::string> textures;
    std::vector<MaterialRecipe> materials;
    std::vector<BoneRecipe> bones;
    std::vector<MorphRecipe> morphs;
    std::vector<FrameRecipe> frames;
    std::int32_t rigidBodyCount = 0;
    std::vector<JointRecipe> joints;
    // Bytes after the joints (the soft bodies of PMX 2.1).
    std::vector<std::uint8_t> trailing;
};

// Where things stand in the built file (byte offsets from its start).
struct PmxLayout {
    std::int32_t vertexSection = 0;        // the vertex count field
    std::vector<std::int32_t> vertexStarts; // first byte of each vertex record
    std::int32_t faceSection = 0;
    std::int32_t textureBlockStart = 0;    // the texture count field
    std::vector<std::int32_t> textureEntryStarts; // each entry's length field
    std::int32_t textureBlockEnd = 0;      // just past the last path: the material count field
    std::int32_t materialSection = 0;
    std::int32_t boneSection = 0;
    std::vector<std::int32_t> boneStarts;
    std::vector<std::int32_t> fixedAxisOffsets; // per bone: its 12-byte fixed axis, 0 when none
    std::int32_t morphSection = 0;
    std::int32_t frameSection = 0;
    std::int32_t rigidBodySection = 0;
    std::int32_t jointSection = 0;
    std::int32_t trailingStart = 0;        // just past the last joint
    std::int32_t fileSize = 0;
};

std::vector<std::uint8_t> buildPmx(const PmxRecipe& recipe, PmxLayout* layoutOut = nullptr);

// A UTF-8 text in the given PMX encoding (0 UTF-16LE with surrogate pairs, other UTF-8).
std::vector<std::uint8_t> encodePmxText(const std::string& utf8, std::uint8_t encoding);

// A typical small model: a few vertices and faces, two textures, one material, the six arm
// bones and the four twist bones (fixed axes) in the usual order, one morph and frame.
PmxRecipe typicalModel(std::uint8_t encoding);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::string& path); // empty when missing

} // namespace pmxtest
