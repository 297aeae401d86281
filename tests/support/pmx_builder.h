// Test helper: builds PMX 2.0/2.1 files in memory from a recipe (either text encoding, any index
// sizes, every record kind) and reports where the parts the writer patches stand. Also builds
// broken files (bad deform type, morph kind, joint type, toon-sharing byte, face count).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pmxtest {

struct Vec3f { float x = 0.0f, y = 0.0f, z = 0.0f; };

// Bone flag bits that carry data.
constexpr std::uint16_t kBoneConnection = 0x0001;
constexpr std::uint16_t kBoneIk = 0x0020;
constexpr std::uint16_t kBoneInheritRotation = 0x0100;
constexpr std::uint16_t kBoneFixedAxis = 0x0400;
constexpr std::uint16_t kBoneLocalAxes = 0x0800;
constexpr std::uint16_t kBoneExternalParent = 0x2000;

// Names are UTF-8, written in the file's encoding. Each conditional field is written only
// under its flag, as the format has it: the connection to bone 1 (else a zero tail offset),
// the inherit parent 0 at weight 1, the fixed axis, zero local axes, external key 0, and an IK
// on bone 0 with two links to bone 0, the first limited.
struct BoneRecipe {
    std::string name, englishName;
    Vec3f position;
    std::uint16_t flags = 0;
    Vec3f fixedAxis; // flag 0x0400
};

// A visible, rotatable bone with a fixed axis, and one without.
BoneRecipe twistBone(const std::string& name, const std::string& englishName, Vec3f axis,
                     Vec3f position = {});
BoneRecipe plainBone(const std::string& name, const std::string& englishName, Vec3f position);

struct MaterialRecipe {
    std::string name = "mat", englishName;
    std::int32_t texture = -1, sphereTexture = -1;
    std::uint8_t sphereMode = 0;
    std::uint8_t toonSharing = 0; // 0: texture index follows; 1: a byte; others are broken
    std::int32_t toon = -1;
    std::int32_t faceVertexCount = 0;
};

struct MorphRecipe {
    std::string name = "morph";
    std::uint8_t kind = 1;        // 0..10; any other value is broken
    std::int32_t offsetCount = 1; // offsets of the kind, indices 0 and zero values
};

struct FrameElementRecipe {
    std::uint8_t target = 0; // 0: bone index follows; other: morph index
    std::int32_t index = 0;
};

// Written as the built-in root frame.
struct FrameRecipe { std::vector<FrameElementRecipe> elements; };

// Named "joint", between rigid bodies 0 and 0.
struct JointRecipe { std::uint8_t type = 0; }; // 0..5; any other value is broken

struct PmxRecipe {
    float version = 2.0f;
    std::uint8_t encoding = 0;    // 0 UTF-16LE, 1 UTF-8
    std::uint8_t additionalUvCount = 0;
    std::uint8_t vertexIndexSize = 1, textureIndexSize = 1, materialIndexSize = 1;
    std::uint8_t boneIndexSize = 1, morphIndexSize = 1, rigidBodyIndexSize = 1;
    std::string modelName = "model", modelNameEnglish = "model", comment, commentEnglish;

    // One vertex per entry, of that deform type (0 BDEF1 .. 4 QDEF; others are broken).
    std::vector<std::uint8_t> vertexDeformTypes;
    // Stored vertex index count of the face section (a multiple of 3 unless broken).
    std::int32_t faceIndexCount = 0;
    std::vector<std::string> textures; // UTF-8, written in the file's encoding
    std::vector<MaterialRecipe> materials;
    std::vector<BoneRecipe> bones;
    std::vector<MorphRecipe> morphs;
    std::vector<FrameRecipe> frames;
    std::int32_t rigidBodyCount = 0;
    std::vector<JointRecipe> joints;
    std::vector<std::uint8_t> trailing; // bytes after the joints (the soft bodies of PMX 2.1)
};

// Where things stand in the built file (byte offsets from its start). A section's offset is
// that of its count field.
struct PmxLayout {
    std::int32_t morphSection = 0;
    std::int32_t textureBlockStart = 0;           // the texture count field
    std::vector<std::int32_t> textureEntryStarts; // each entry's length field
    std::int32_t textureBlockEnd = 0;             // just past the last path
    std::vector<std::int32_t> positionOffsets;   // per bone: its 12-byte position
    std::vector<std::int32_t> fixedAxisOffsets;   // per bone: its 12-byte fixed axis, 0 when none
    std::int32_t trailingStart = 0;               // just past the last joint
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
