// The sample model and its images (see sample_model.h).
#include "tests/support/sample_model.h"

#include "tests/support/pmx_builder.h"

namespace sample {
namespace {

using Bytes = std::vector<std::uint8_t>;

void appendBigEndian(Bytes* out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

// A chunk: length, type and data, and the CRC-32 of type and data.
void appendChunk(Bytes* png, const char* type, const Bytes& data) {
    appendBigEndian(png, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : typed) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    png->insert(png->end(), typed.begin(), typed.end());
    appendBigEndian(png, crc ^ 0xFFFFFFFFu);
}

// A valid 1x1 RGB PNG of one colour: one stored deflate block with its Adler-32.
Bytes onePixelPng(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    appendBigEndian(&header, 1); // width
    appendBigEndian(&header, 1); // height
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    appendChunk(&png, "IHDR", header);
    const Bytes row = {0, r, g, b}; // filter byte, one pixel
    std::uint32_t s1 = 1, s2 = 0;
    for (std::uint8_t byte : row) {
        s1 = (s1 + byte) % 65521u;
        s2 = (s2 + s1) % 65521u;
    }
    Bytes zlib = {0x78, 0x01, 0x01, 4, 0, 0xFB, 0xFF};
    zlib.insert(zlib.end(), row.begin(), row.end());
    appendBigEndian(&zlib, (s2 << 16) | s1);
    appendChunk(&png, "IDAT", zlib);
    appendChunk(&png, "IEND", {});
    return png;
}

pmxtest::PmxRecipe sampleModel() {
    using pmxtest::plainBone;
    using pmxtest::twistBone;
    pmxtest::PmxRecipe s;
    s.modelName = "サンプル";
    s.modelNameEnglish = "sample";
    s.comment = "テクスチャは img へ移動済み";
    s.commentEnglish = "Textures moved from tex to img; left wrist twist axis off.";
    s.vertexDeformTypes = {0, 0, 0};
    s.faceIndexCount = 3;
    s.textures = {"tex\\a.png", "tex\\b.png"};
    pmxtest::MaterialRecipe m;
    m.name = "材質";
    m.englishName = "material";
    m.texture = 0;
    m.sphereTexture = 1;
    m.sphereMode = 1;
    m.toonSharing = 1;
    m.toon = 0;
    m.faceVertexCount = 3;
    s.materials = {m};
    s.bones = {
        plainBone("左腕", "arm_L", {1.0f, 15.0f, 0.0f}),
        plainBone("左ひじ", "elbow_L", {4.0f, 11.0f, 0.0f}),
        plainBone("左手首", "wrist_L", {7.0f, 7.0f, 0.0f}),
        twistBone("左腕捩", "arm twist_L", {0.6f, -0.8f, 0.0f}),
        twistBone("左手捩", "wrist twist_L", {0.8f, 0.6f, 0.0f}), // should be (0.6, -0.8, 0)
        plainBone("右腕", "arm_R", {-1.0f, 15.0f, 0.0f}),
        plainBone("右ひじ", "elbow_R", {-4.0f, 11.0f, 0.0f}),
        plainBone("右手首", "wrist_R", {-7.0f, 7.0f, 0.0f}),
        twistBone("右腕捩", "arm twist_R", {-0.6f, -0.8f, 0.0f}),
        twistBone("右手捩", "wrist twist_R", {-0.6f, -0.8f, 0.0f}),
    };
    return s;
}

} // namespace

std::vector<SampleFile> sampleFiles() {
    return {
        {"sample.pmx", pmxtest::buildPmx(sampleModel())},
        {"img/a.png", onePixelPng(0xE0, 0x60, 0x40)},
        {"img/b.png", onePixelPng(0x40, 0x80, 0xE0)},
    };
}

} // namespace sample
