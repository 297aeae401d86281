// Models, transcript placeholders and expected copies of the end-to-end tests (see
// e2e_scenario.h).
#include "tests/support/e2e_scenario.h"

#include <cstring>
#include <fstream>

#include "tests/support/e2e_run.h"

namespace e2e {
namespace {

void replaceAll(std::string* text, const std::string& from, const std::string& to) {
    for (std::size_t at = text->find(from); at != std::string::npos;
         at = text->find(from, at + to.size()))
        text->replace(at, from.size(), to);
}

void appendInt32(std::string* out, std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

} // namespace

std::string fillTranscript(const std::string& transcript, const std::string& folderOutside) {
    std::string folder = folderOutside;
    for (char& c : folder)
        if (c == '/') c = '\\';
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    std::string text = transcript;
    replaceAll(&text, "{V}", hostVersionLine());
    replaceAll(&text, "{D}", folder);
    return text;
}

pmxtest::PmxSpec straightArmsModel(std::uint8_t encoding) {
    using pmxtest::plainBone;
    using pmxtest::twistBone;
    pmxtest::PmxSpec s;
    s.encoding = encoding;
    s.modelName = "テスト";
    s.modelNameEnglish = "test";
    s.bones = {
        plainBone("左腕", "arm_L", {0.0f, 10.0f, 0.0f}),
        plainBone("左ひじ", "elbow_L", {3.0f, 6.0f, 0.0f}),
        plainBone("左手首", "wrist_L", {6.0f, 2.0f, 0.0f}),
        twistBone("左腕捩", "arm twist_L", {0.6f, -0.8f, 0.0f}),
        twistBone("左手捩", "wrist twist_L", {0.6f, -0.8f, 0.0f}),
        plainBone("右腕", "arm_R", {0.0f, 10.0f, 0.0f}),
        plainBone("右ひじ", "elbow_R", {-3.0f, 6.0f, 0.0f}),
        plainBone("右手首", "wrist_R", {-6.0f, 2.0f, 0.0f}),
        twistBone("右腕捩", "arm twist_R", {-0.6f, -0.8f, 0.0f}),
        twistBone("右手捩", "wrist twist_R", {-0.6f, -0.8f, 0.0f}),
    };
    return s;
}

pmxtest::PmxSpec bentTwistsModel(std::uint8_t encoding) {
    pmxtest::PmxSpec s = straightArmsModel(encoding);
    s.bones[kArmTwistLBone].fixedAxis = {0.0f, 0.0f, 1.0f};
    s.bones[kWristTwistRBone].fixedAxis = {0.0f, 1.0f, 0.0f};
    return s;
}

pmxtest::PmxSpec brokenTexturesModel(std::uint8_t encoding) {
    pmxtest::PmxSpec s;
    s.encoding = encoding;
    s.modelName = "テスト";
    s.modelNameEnglish = "test";
    s.textures = {"tex\\a.png", "ok.png", "tex\\b.png"};
    pmxtest::MaterialSpec m;
    m.texture = 0;
    m.sphereTexture = 2;
    m.sphereMode = 1;
    s.materials = {m};
    return s;
}

std::string toBytes(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string writeModel(const std::string& outside, const pmxtest::PmxSpec& plan,
                       pmxtest::PmxLayout* layout) {
    std::vector<std::uint8_t> bytes = pmxtest::buildPmx(plan, layout);
    pmxtest::writeFile(outside, bytes);
    return toBytes(bytes);
}

std::string withAxis(std::string source, std::int32_t offset, float x, float y, float z) {
    std::string axis;
    for (float f : {x, y, z}) {
        std::int32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        appendInt32(&axis, bits);
    }
    source.replace(static_cast<std::size_t>(offset), axis.size(), axis);
    return source;
}

std::string withTextures(const std::string& source, const pmxtest::PmxLayout& layout,
                         const std::vector<std::string>& paths, std::uint8_t encoding) {
    std::string block;
    appendInt32(&block, static_cast<std::int32_t>(paths.size()));
    for (const std::string& path : paths) {
        std::string text = toBytes(pmxtest::encodePmxText(path, encoding));
        appendInt32(&block, static_cast<std::int32_t>(text.size()));
        block += text;
    }
    const std::size_t start = static_cast<std::size_t>(layout.textureBlockStart);
    const std::size_t end = static_cast<std::size_t>(layout.textureBlockEnd);
    return source.substr(0, start) + block + source.substr(end);
}

} // namespace e2e
