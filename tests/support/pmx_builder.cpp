// Test helper: serialises a PmxRecipe into PMX bytes, field by field in file order, recording
// the offsets the writer tests compare against. Test code only (uses the standard containers).
#include "tests/support/pmx_builder.h"

#include <cstdio>
#include <cstring>

namespace pmxtest {

namespace {

class Out {
public:
    std::vector<std::uint8_t> bytes;

    std::int32_t at() const { return static_cast<std::int32_t>(bytes.size()); }
    void u8(std::uint8_t v) { bytes.push_back(v); }
    void i16(std::uint16_t v)
    {
        u8(static_cast<std::uint8_t>(v & 0xFF));
        u8(static_cast<std::uint8_t>(v >> 8));
    }
    void i32(std::int32_t v)
    {
        std::uint32_t u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
    }
    void f32(float v)
    {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        i32(static_cast<std::int32_t>(u));
    }
    void vec(const Vec3f& v)
    {
        f32(v.x);
        f32(v.y);
        f32(v.z);
    }
    void floats(int n)
    {
        for (int i = 0; i < n; ++i) f32(0.0f);
    }
    void index(std::int32_t v, int width)
    {
        if (width == 1) u8(static_cast<std::uint8_t>(v & 0xFF));
        else if (width == 2) i16(static_cast<std::uint16_t>(v & 0xFFFF));
        else if (width == 4) i32(v);
        // Other widths carry no bytes, as the reader expects.
    }
    void text(const std::string& utf8, std::uint8_t encoding)
    {
        std::vector<std::uint8_t> t = encodePmxText(utf8, encoding);
        i32(static_cast<std::int32_t>(t.size()));
        bytes.insert(bytes.end(), t.begin(), t.end());
    }
};

// Decodes one UTF-8 character (assumed well formed: the tests write their own strings).
std::uint32_t nextCodePoint(const std::string& s, std::size_t* i)
{
    unsigned char c = static_cast<unsigned char>(s[*i]);
    int extra = 0;
    std::uint32_t cp = c;
    if (c >= 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else if (c >= 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if (c >= 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    }
    ++*i;
    for (int k = 0; k < extra && *i < s.size(); ++k, ++*i)
        cp = (cp << 6) | (static_cast<unsigned char>(s[*i]) & 0x3F);
    return cp;
}

void writeVertex(Out& o, const PmxRecipe& recipe, std::uint8_t type)
{
    const int bw = recipe.boneIndexSize;
    o.floats(3 + 3 + 2);
    o.floats(4 * recipe.additionalUvCount);
    o.u8(type);
    switch (type) {
    case 0:
        o.index(0, bw);
        break;
    case 1:
        o.index(0, bw);
        o.index(0, bw);
        o.f32(1.0f);
        break;
    case 2:
    case 4:
        for (int i = 0; i < 4; ++i) o.index(0, bw);
        o.f32(1.0f);
        o.floats(3);
        break;
    case 3:
        o.index(0, bw);
        o.index(0, bw);
        o.f32(0.5f);
        o.floats(9);
        break;
    default:
        break; // a broken type: the reader stops here
    }
    o.f32(1.0f); // edge scale
}

void writeMaterial(Out& o, const PmxRecipe& recipe, const MaterialRecipe& m)
{
    o.text(m.name, recipe.encoding);
    o.text(m.englishName, recipe.encoding);
    o.floats(4 + 3 + 1 + 3);
    o.u8(0); // drawing flags
    o.floats(4 + 1);
    o.index(m.texture, recipe.textureIndexSize);
    o.index(m.sphereTexture, recipe.textureIndexSize);
    o.u8(m.sphereMode);
    o.u8(m.toonSharing);
    if (m.toonSharing == 0) o.index(m.toon, recipe.textureIndexSize);
    else if (m.toonSharing == 1) o.u8(static_cast<std::uint8_t>(m.toon & 0xFF));
    o.text(m.memo, recipe.encoding);
    o.i32(m.faceVertexCount);
}

void writeBone(Out& o, const PmxRecipe& recipe, const BoneRecipe& b, PmxLayout* layout)
{
    const int bw = recipe.boneIndexSize;
    layout->boneStarts.push_back(o.at());
    o.text(b.name, recipe.encoding);
    o.text(b.englishName, recipe.encoding);
    o.vec(b.position);
    o.index(b.parent, bw);
    o.i32(b.deformLayer);
    o.i16(b.flags);
    if (b.flags & kBoneConnection) o.index(b.connection, bw);
    else o.vec(b.tailOffset);
    if (b.flags & (kBoneInheritRotation | kBoneInheritTranslation)) {
        o.index(b.inheritParent, bw);
        o.f32(b.inheritWeight);
    }
    std::int32_t axisAt = 0;
    if (b.flags & kBoneFixedAxis) {
        axisAt = o.at();
        o.vec(b.fixedAxis);
    }
    layout->fixedAxisOffsets.push_back(axisAt);
    if (b.flags & kBoneLocalAxes) {
        o.vec(b.localX);
        o.vec(b.localZ);
    }
    if (b.flags & kBoneExternalParent) o.i32(b.externalKey);
    if (b.flags & kBoneIk) {
        o.index(b.ikTarget, bw);
        o.i32(b.ikLoopCount);
        o.f32(b.ikLimitAngle);
        o.i32(static_cast<std::int32_t>(b.ikLinks.size()));
        for (const IkLinkRecipe& l : b.ikLinks) {
            o.index(l.bone, bw);
            o.u8(l.limited);
            if (l.limited == 1) {
                o.vec(l.lower);
                o.vec(l.upper);
            }
        }
    }
}

void writeMorph(Out& o, const PmxRecipe& recipe, const MorphRecipe& m)
{
    o.text(m.name, recipe.encoding);
    o.text(m.englishName, recipe.encoding);
    o.u8(m.panel);
    o.u8(m.kind);
    o.i32(m.offsetCount);
    if (m.kind > 10) return; // broken kind: the reader stops before the offsets
    for (std::int32_t i = 0; i < m.offsetCount; ++i) {
        switch (m.kind) {
        case 0:
        case 9:
            o.index(0, recipe.morphIndexSize);
            o.f32(1.0f);
            break;
        case 1:
            o.index(0, recipe.vertexIndexSize);
            o.floats(3);
            break;
        case 2:
            o.index(0, recipe.boneIndexSize);
            o.floats(3 + 4);
            break;
        case 8:
            o.index(0, recipe.materialIndexSize);
            o.u8(1);
            o.floats(28);
            break;
        case 10:
            o.index(0, recipe.rigidBodyIndexSize);
            o.u8(0);
            o.floats(3 + 3);
            break;
        default: // 3..7: UV and additional UVs
            o.index(0, recipe.vertexIndexSize);
            o.floats(4);
            break;
        }
    }
}

void writeFrame(Out& o, const PmxRecipe& recipe, const FrameRecipe& f)
{
    o.text(f.name, recipe.encoding);
    o.text(f.englishName, recipe.encoding);
    o.u8(f.builtIn);
    o.i32(static_cast<std::int32_t>(f.elements.size()));
    for (const FrameElementRecipe& e : f.elements) {
        o.u8(e.target);
        o.index(e.index, e.target == 0 ? recipe.boneIndexSize : recipe.morphIndexSize);
    }
}

void writeRigidBody(Out& o, const PmxRecipe& recipe, std::int32_t i)
{
    o.text("body" + std::to_string(i), recipe.encoding);
    o.text("", recipe.encoding);
    o.index(0, recipe.boneIndexSize);
    o.u8(0);
    o.i16(0xFFFF);
    o.u8(1);
    o.floats(3 + 3 + 3 + 5);
    o.u8(0);
}

void writeJoint(Out& o, const PmxRecipe& recipe, const JointRecipe& j)
{
    o.text(j.name, recipe.encoding);
    o.text(j.englishName, recipe.encoding);
    o.u8(j.type);
    if (j.type > 5) return;
    o.index(j.bodyA, recipe.rigidBodyIndexSize);
    o.index(j.bodyB, recipe.rigidBodyIndexSize);
    o.floats(8 * 3); // position, rotation, four limits, two springs
}

} // namespace

std::vector<std::uint8_t> encodePmxText(const std::string& utf8, std::uint8_t encoding)
{
    if (encoding != 0) return std::vector<std::uint8_t>(utf8.begin(), utf8.end());
    std::vector<std::uint8_t> out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::uint32_t cp = nextCodePoint(utf8, &i);
        if (cp >= 0x10000) {
            std::uint32_t v = cp - 0x10000;
            std::uint32_t hi = 0xD800 + (v >> 10), lo = 0xDC00 + (v & 0x3FF);
            out.push_back(static_cast<std::uint8_t>(hi & 0xFF));
            out.push_back(static_cast<std::uint8_t>(hi >> 8));
            out.push_back(static_cast<std::uint8_t>(lo & 0xFF));
            out.push_back(static_cast<std::uint8_t>(lo >> 8));
        } else {
            out.push_back(static_cast<std::uint8_t>(cp & 0xFF));
            out.push_back(static_cast<std::uint8_t>(cp >> 8));
        }
    }
    return out;
}

std::vector<std::uint8_t> buildPmx(const PmxRecipe& recipe, PmxLayout* layoutOut)
{
    PmxLayout local;
    PmxLayout* layout = layoutOut ? layoutOut : &local;
    *layout = PmxLayout();
    Out o;

    for (std::uint8_t b : recipe.signature) o.u8(b);
    o.f32(recipe.version);
    o.u8(recipe.globalCount);
    o.u8(recipe.encoding);
    o.u8(recipe.additionalUvCount);
    o.u8(recipe.vertexIndexSize);
    o.u8(recipe.textureIndexSize);
    o.u8(recipe.materialIndexSize);
    o.u8(recipe.boneIndexSize);
    o.u8(recipe.morphIndexSize);
    o.u8(recipe.rigidBodyIndexSize);
    for (int i = 8; i < recipe.globalCount; ++i) o.u8(1);
    o.text(recipe.modelName, recipe.encoding);
    o.text(recipe.modelNameEnglish, recipe.encoding);
    o.text(recipe.comment, recipe.encoding);
    o.text(recipe.commentEnglish, recipe.encoding);

    layout->vertexSection = o.at();
    o.i32(static_cast<std::int32_t>(recipe.vertexDeformTypes.size()));
    for (std::uint8_t type : recipe.vertexDeformTypes) {
        layout->vertexStarts.push_back(o.at());
        writeVertex(o, recipe, type);
    }

    layout->faceSection = o.at();
    o.i32(recipe.faceIndexCount);
    if (recipe.faceIndexCount > 0 && recipe.faceIndexCount % 3 == 0)
        for (std::int32_t i = 0; i < recipe.faceIndexCount; ++i)
            o.index(i % 3, recipe.vertexIndexSize);

    layout->textureBlockStart = o.at();
    o.i32(static_cast<std::int32_t>(recipe.textures.size()));
    for (const std::string& t : recipe.textures) {
        layout->textureEntryStarts.push_back(o.at());
        o.text(t, recipe.encoding);
    }
    layout->textureBlockEnd = o.at();

    layout->materialSection = o.at();
    o.i32(static_cast<std::int32_t>(recipe.materials.size()));
    for (const MaterialRecipe& m : recipe.materials) writeMaterial(o, recipe, m);

    layout->boneSection = o.at();
    o.i32(static_cast<std::int32_t>(recipe.bones.size()));
    for (const BoneRecipe& b : recipe.bones) writeBone(o, recipe, b, layout);

    layout->morphSection = o.at();
    o.i32(static_cast<std::int32_t>(recipe.morphs.size()));
    for (const MorphRecipe& m : recipe.morphs) writeMorph(o, recipe, m);

    layout->frameSection = o.at();
    o.i32(static_cast<std::int32_t>(recipe.frames.size()));
    for (const FrameRecipe& f : recipe.frames) writeFrame(o, recipe, f);

    layout->rigidBodySection = o.at();
    o.i32(recipe.rigidBodyCount);
    for (std::int32_t i = 0; i < recipe.rigidBodyCount; ++i) writeRigidBody(o, recipe, i);

    layout->jointSection = o.at();
    o.i32(static_cast<std::int32_t>(recipe.joints.size()));
    for (const JointRecipe& j : recipe.joints) writeJoint(o, recipe, j);

    layout->trailingStart = o.at();
    o.bytes.insert(o.bytes.end(), recipe.trailing.begin(), recipe.trailing.end());
    layout->fileSize = o.at();
    return o.bytes;
}

BoneRecipe twistBone(const std::string& name, const std::string& englishName, Vec3f axis)
{
    BoneRecipe b;
    b.name = name;
    b.englishName = englishName;
    b.flags = kBoneFixedAxis | 0x0002 | 0x0008 | 0x0010; // rotatable, visible, enabled
    b.fixedAxis = axis;
    return b;
}

BoneRecipe plainBone(const std::string& name, const std::string& englishName, Vec3f position)
{
    BoneRecipe b;
    b.name = name;
    b.englishName = englishName;
    b.position = position;
    b.flags = 0x0002 | 0x0008 | 0x0010;
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
    root.connection = 1;
    BoneRecipe ik = plainBone("左足ＩＫ", "leg IK_L", {1.0f, 1.0f, 0.0f});
    ik.flags |= kBoneIk | kBoneInheritRotation | kBoneLocalAxes | kBoneExternalParent;
    ik.ikLinks = {IkLinkRecipe{0, 1, {-1.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}}, IkLinkRecipe{0, 0, {}, {}}};
    s.bones = {
        root,
        ik,
        plainBone("左腕", "arm_L", {2.0f, 15.0f, 0.0f}),
        twistBone("左腕捩", "arm twist_L", {0.8f, -0.6f, 0.0f}),
        plainBone("左ひじ", "elbow_L", {4.0f, 13.0f, 0.0f}),
        twistBone("左手捩", "wrist twist_L", {0.8f, -0.6f, 0.0f}),
        plainBone("左手首", "wrist_L", {6.0f, 11.0f, 0.0f}),
        plainBone("右腕", "arm_R", {-2.0f, 15.0f, 0.0f}),
        twistBone("右腕捩", "arm twist_R", {-0.8f, -0.6f, 0.0f}),
        plainBone("右ひじ", "elbow_R", {-4.0f, 13.0f, 0.0f}),
        twistBone("右手捩", "wrist twist_R", {-0.8f, -0.6f, 0.0f}),
        plainBone("右手首", "wrist_R", {-6.0f, 11.0f, 0.0f}),
    };
    MorphRecipe morph;
    morph.name = "あ";
    s.morphs = {morph};
    FrameRecipe root_frame;
    root_frame.name = "Root";
    root_frame.builtIn = 1;
    root_frame.elements = {FrameElementRecipe{0, 0}};
    s.frames = {root_frame};
    s.rigidBodyCount = 1;
    JointRecipe j;
    s.joints = {j};
    return s;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::vector<std::uint8_t> out;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return out;
    unsigned char buf[8192];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
    std::fclose(f);
    return out;
}

} // namespace pmxtest
