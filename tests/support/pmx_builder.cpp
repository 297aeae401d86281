// Test helper: serialises a PmxRecipe into PMX bytes, field by field in file order, recording
// the offsets the tests compare against. Test code only (uses the standard containers).
#include "tests/support/pmx_builder.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace pmxtest {

namespace {

struct Out {
    std::vector<std::uint8_t> bytes;
    std::uint8_t encoding = 0;

    std::int32_t at() const { return static_cast<std::int32_t>(bytes.size()); }
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void le(std::uint32_t v, int width)
    {
        for (int i = 0; i < width; ++i) u8(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
    }
    void i32(std::int32_t v) { le(static_cast<std::uint32_t>(v), 4); }
    void f32(float v)
    {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        le(u, 4);
    }
    void vec(const Vec3f& v)
    {
        for (float f : {v.x, v.y, v.z}) f32(f);
    }
    void zeros(int n) { bytes.insert(bytes.end(), static_cast<std::size_t>(n), 0); }
    // Widths other than 1, 2 and 4 carry no bytes, as the reader expects.
    void index(std::int32_t v, int width)
    {
        if (width == 1 || width == 2 || width == 4) le(static_cast<std::uint32_t>(v), width);
    }
    void text(const std::string& utf8)
    {
        std::vector<std::uint8_t> t = encodePmxText(utf8, encoding);
        i32(static_cast<std::int32_t>(t.size()));
        bytes.insert(bytes.end(), t.begin(), t.end());
    }
};

void writeVertex(Out& o, const PmxRecipe& r, std::uint8_t type)
{
    o.zeros(4 * (3 + 3 + 2 + 4 * r.additionalUvCount)); // position, normal, UV, additional UVs
    o.u8(type);
    // BDEF1, BDEF2, BDEF4, SDEF, QDEF: bone indices, the first weight, the floats after it.
    static const struct { int bones; float weight; int more; } kDeform[] = {
        {1, -1.0f, 0}, {2, 1.0f, 0}, {4, 1.0f, 3}, {2, 0.5f, 9}, {4, 1.0f, 3}};
    if (type < 5) { // a broken type: the reader stops after it
        for (int i = 0; i < kDeform[type].bones; ++i) o.index(0, r.boneIndexSize);
        if (kDeform[type].weight >= 0.0f) o.f32(kDeform[type].weight);
        o.zeros(4 * kDeform[type].more);
    }
    o.f32(1.0f); // edge scale
}

void writeMaterial(Out& o, const PmxRecipe& r, const MaterialRecipe& m)
{
    o.text(m.name);
    o.text(m.englishName);
    o.zeros(4 * (4 + 3 + 1 + 3)); // diffuse, highlight colour and power, ambient
    o.u8(0);                      // drawing flags
    o.zeros(4 * (4 + 1));         // edge colour and size
    o.index(m.texture, r.textureIndexSize);
    o.index(m.sphereTexture, r.textureIndexSize);
    o.u8(m.sphereMode);
    o.u8(m.toonSharing);
    if (m.toonSharing == 0) o.index(m.toon, r.textureIndexSize);
    else if (m.toonSharing == 1) o.u8(static_cast<std::uint8_t>(m.toon & 0xFF));
    o.text(""); // memo
    o.i32(m.faceVertexCount);
}

void writeBone(Out& o, const PmxRecipe& r, const BoneRecipe& b, PmxLayout* layout)
{
    const int bw = r.boneIndexSize;
    o.text(b.name);
    o.text(b.englishName);
    layout->positionOffsets.push_back(o.at());
    o.vec(b.position);
    o.index(-1, bw); // parent
    o.i32(0);        // deform layer
    o.le(b.flags, 2);
    if (b.flags & kBoneConnection) o.index(1, bw);
    else o.zeros(12);
    if (b.flags & 0x0300) { // inherit rotation or translation
        o.index(0, bw);
        o.f32(1.0f);
    }
    layout->fixedAxisOffsets.push_back((b.flags & kBoneFixedAxis) ? o.at() : 0);
    if (b.flags & kBoneFixedAxis) o.vec(b.fixedAxis);
    if (b.flags & kBoneLocalAxes) o.zeros(24);
    if (b.flags & kBoneExternalParent) o.i32(0);
    if (b.flags & kBoneIk) {
        o.index(0, bw);
        o.i32(1);      // loop count
        o.f32(1.0f);   // limit angle
        o.i32(2);      // links
        o.index(0, bw);
        o.u8(1);       // limited: lower and upper follow
        o.vec({-1.0f, 0.0f, 0.0f});
        o.vec({1.0f, 0.0f, 0.0f});
        o.index(0, bw);
        o.u8(0);
    }
}

void writeMorph(Out& o, const PmxRecipe& r, const MorphRecipe& m)
{
    o.text(m.name);
    o.text("");
    o.u8(1); // panel
    o.u8(m.kind);
    o.i32(m.offsetCount);
    if (m.kind > 10) return; // broken kind: the reader stops before the offsets
    // Per kind (group, vertex, bone, UV, additional UV 1..4, material, flip, impulse): the
    // width of the leading index and the bytes after it.
    const std::uint8_t v = r.vertexIndexSize;
    const std::uint8_t width[11] = {r.morphIndexSize, v, r.boneIndexSize, v, v, v, v, v,
                                    r.materialIndexSize, r.morphIndexSize, r.rigidBodyIndexSize};
    const int zeroFloats[11] = {0, 3, 7, 4, 4, 4, 4, 4, 28, 0, 6};
    for (std::int32_t i = 0; i < m.offsetCount; ++i) {
        o.index(0, width[m.kind]);
        if (m.kind == 0 || m.kind == 9) o.f32(1.0f); // weight
        if (m.kind == 8 || m.kind == 10) o.u8(m.kind == 8 ? 1 : 0); // operation, local flag
        o.zeros(4 * zeroFloats[m.kind]);
    }
}

void writeRigBodiesAndJoints(Out& o, const PmxRecipe& r)
{
    o.i32(r.rigidBodyCount);
    for (std::int32_t i = 0; i < r.rigidBodyCount; ++i) {
        o.text("body" + std::to_string(i));
        o.text("");
        o.index(0, r.boneIndexSize);
        o.u8(0);            // group
        o.le(0xFFFF, 2);    // non-collision mask
        o.u8(1);            // shape
        o.zeros(4 * 14);    // size, position, rotation, five physics values
        o.u8(0);            // physics mode
    }
    o.i32(static_cast<std::int32_t>(r.joints.size()));
    for (const JointRecipe& j : r.joints) {
        o.text("joint");
        o.text("");
        o.u8(j.type);
        if (j.type > 5) continue; // broken type: the reader stops here
        o.index(0, r.rigidBodyIndexSize); // bodies A and B
        o.index(0, r.rigidBodyIndexSize);
        o.zeros(4 * 8 * 3); // position, rotation, four limits, two springs
    }
}

} // namespace

std::vector<std::uint8_t> encodePmxText(const std::string& utf8, std::uint8_t encoding)
{
    if (encoding != 0) return std::vector<std::uint8_t>(utf8.begin(), utf8.end());
    std::vector<std::uint8_t> out;
    auto unit = [&out](std::uint32_t u) {
        out.push_back(static_cast<std::uint8_t>(u & 0xFF));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    // The tests write their own strings: well-formed UTF-8 is assumed.
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i++]);
        const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        std::uint32_t cp = c & (0x7Fu >> extra);
        for (int k = 0; k < extra && i < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3Fu);
        if (cp < 0x10000) {
            unit(cp);
        } else {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::vector<std::uint8_t> buildPmx(const PmxRecipe& r, PmxLayout* layoutOut)
{
    PmxLayout local;
    PmxLayout* layout = layoutOut ? layoutOut : &local;
    *layout = PmxLayout();
    Out o;
    o.encoding = r.encoding;

    o.bytes.insert(o.bytes.end(), {'P', 'M', 'X', ' '});
    o.f32(r.version);
    for (std::uint8_t b : {std::uint8_t{8}, r.encoding, r.additionalUvCount, r.vertexIndexSize,
                           r.textureIndexSize, r.materialIndexSize, r.boneIndexSize,
                           r.morphIndexSize, r.rigidBodyIndexSize})
        o.u8(b);
    for (const std::string* t : {&r.modelName, &r.modelNameEnglish, &r.comment, &r.commentEnglish})
        o.text(*t);

    o.i32(static_cast<std::int32_t>(r.vertexDeformTypes.size()));
    for (std::uint8_t type : r.vertexDeformTypes) writeVertex(o, r, type);

    o.i32(r.faceIndexCount);
    if (r.faceIndexCount > 0 && r.faceIndexCount % 3 == 0)
        for (std::int32_t i = 0; i < r.faceIndexCount; ++i) o.index(i % 3, r.vertexIndexSize);

    layout->textureBlockStart = o.at();
    o.i32(static_cast<std::int32_t>(r.textures.size()));
    for (const std::string& t : r.textures) {
        layout->textureEntryStarts.push_back(o.at());
        o.text(t);
    }
    layout->textureBlockEnd = o.at();

    o.i32(static_cast<std::int32_t>(r.materials.size()));
    for (const MaterialRecipe& m : r.materials) writeMaterial(o, r, m);

    o.i32(static_cast<std::int32_t>(r.bones.size()));
    for (const BoneRecipe& b : r.bones) writeBone(o, r, b, layout);

    layout->morphSection = o.at();
    o.i32(static_cast<std::int32_t>(r.morphs.size()));
    for (const MorphRecipe& m : r.morphs) writeMorph(o, r, m);

    o.i32(static_cast<std::int32_t>(r.frames.size()));
    for (const FrameRecipe& f : r.frames) {
        o.text("Root");
        o.text("");
        o.u8(1); // built in
        o.i32(static_cast<std::int32_t>(f.elements.size()));
        for (const FrameElementRecipe& e : f.elements) {
            o.u8(e.target);
            o.index(e.index, e.target == 0 ? r.boneIndexSize : r.morphIndexSize);
        }
    }

    writeRigBodiesAndJoints(o, r);
    layout->trailingStart = o.at();
    o.bytes.insert(o.bytes.end(), r.trailing.begin(), r.trailing.end());
    return o.bytes;
}

BoneRecipe twistBone(const std::string& name, const std::string& englishName, Vec3f axis,
                     Vec3f position)
{
    BoneRecipe b = plainBone(name, englishName, position);
    b.flags |= kBoneFixedAxis;
    b.fixedAxis = axis;
    return b;
}

BoneRecipe plainBone(const std::string& name, const std::string& englishName, Vec3f position)
{
    BoneRecipe b;
    b.name = name;
    b.englishName = englishName;
    b.position = position;
    b.flags = 0x0002 | 0x0008 | 0x0010; // rotatable, visible, enabled
    return b;
}

PmxRecipe typicalModel(std::uint8_t encoding)
{
    PmxRecipe s;
    s.encoding = encoding;
    s.modelName = "テストモデル";
    s.modelNameEnglish = "Test model";
    s.comment = "コメント";
    s.commentEnglish = "comment";
    s.vertexDeformTypes = {0, 1, 2, 3};
    s.faceIndexCount = 6;
    s.textures = {"tex\\body.png", "toon01.bmp"};
    MaterialRecipe m;
    m.name = "体";
    m.texture = 0;
    m.toonSharing = 1;
    m.toon = 0;
    m.faceVertexCount = 6;
    s.materials = {m};

    BoneRecipe root = plainBone("センター", "center", {0.0f, 8.0f, 0.0f});
    root.flags |= kBoneConnection;
    BoneRecipe ik = plainBone("左足ＩＫ", "leg IK_L", {1.0f, 1.0f, 0.0f});
    ik.flags |= kBoneIk | kBoneInheritRotation | kBoneLocalAxes | kBoneExternalParent;
    s.bones = {
        root,
        ik,
        plainBone("左腕", "arm_L", {2.0f, 15.0f, 0.0f}),
        twistBone("左腕捩", "arm twist_L", {0.8f, -0.6f, 0.0f}, {3.0f, 14.0f, 0.0f}),
        plainBone("左ひじ", "elbow_L", {4.0f, 13.0f, 0.0f}),
        twistBone("左手捩", "wrist twist_L", {0.8f, -0.6f, 0.0f}, {5.0f, 12.0f, 0.0f}),
        plainBone("左手首", "wrist_L", {6.0f, 11.0f, 0.0f}),
        plainBone("右腕", "arm_R", {-2.0f, 15.0f, 0.0f}),
        twistBone("右腕捩", "arm twist_R", {-0.8f, -0.6f, 0.0f}, {-3.0f, 14.0f, 0.0f}),
        plainBone("右ひじ", "elbow_R", {-4.0f, 13.0f, 0.0f}),
        twistBone("右手捩", "wrist twist_R", {-0.8f, -0.6f, 0.0f}, {-5.0f, 12.0f, 0.0f}),
        plainBone("右手首", "wrist_R", {-6.0f, 11.0f, 0.0f}),
    };
    s.morphs = {MorphRecipe{"あ"}};
    s.frames = {FrameRecipe{{FrameElementRecipe{}}}};
    s.rigidBodyCount = 1;
    s.joints = {JointRecipe{}};
    return s;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    return out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())).flush().good();
}

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace pmxtest
