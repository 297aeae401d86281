// The mesh sections of a PMX file: vertices, faces, textures and materials. Only the counts
// and the texture paths (with the texture block's offsets) are kept.
#include <cstring>

#include "io/read_stream.h"
#include "platform/console.h"
#include "pmx/read_parts.h"
#include "pmx/read_report.h"
#include "text/sjis_tables.h"

namespace {

// Kinds of vertex weighting, and the bone indices and weight floats each carries.
enum DeformType { kBdef1 = 0, kBdef2 = 1, kBdef4 = 2, kSdef = 3, kQdef = 4 };

constexpr int kVertexFixedBytes = (3 + 3 + 2) * 4; // position, normal, UV
constexpr int kAdditionalUvBytes = 4 * 4;
constexpr int kMaterialColourBytes = (4 + 3 + 1 + 3) * 4 + 1 + (4 + 1) * 4;

unsigned char gText[kModelTextBytes];

// A texture path is kept whole as far as a path entry holds it (519 inside-form bytes), which
// takes at most two UTF-16LE or three UTF-8 bytes per inside byte (escapes only make the inside
// form longer); a path cut shorter would name another file, found or not.
constexpr std::int32_t kTextureTextKeptBytes = 3 * kTexturePathBytes;
unsigned char gTextureText[kTextureTextKeptBytes + 3];
// The conversions write at most three times their input and a terminator.
char gTextureSjis[3 * kTextureTextKeptBytes + 1];

// The end-of-input test each record starts with: the end cut the record before it.
bool endedAt(ReadSection section, std::int32_t index)
{
    if (ReadStream::status() == 0) return false;
    stopReading(ReadStop::FileEnded, section, index - 1, 0);
    return true;
}

// The byte size of a whole vertex record, per deform type, for one model's header.
struct VertexSizes {
    std::int32_t headBytes;           // the fields before the deform type byte
    std::int32_t ofType[kQdef + 1];
    std::int32_t largest;
};

VertexSizes vertexSizes(int boneWidth)
{
    VertexSizes v;
    v.headBytes = kVertexFixedBytes + kAdditionalUvBytes * gModel.additionalUvCount;
    const std::int32_t deformBytes[kQdef + 1] = {
        boneWidth,                // BDEF1
        2 * boneWidth + 4,        // BDEF2: weight
        4 * boneWidth + 4 * 4,    // BDEF4: four weights
        2 * boneWidth + 10 * 4,   // SDEF: weight, C, R0, R1
        4 * boneWidth + 4 * 4,    // QDEF: four weights
    };
    v.largest = 0;
    for (int type = 0; type <= kQdef; ++type) {
        v.ofType[type] = v.headBytes + 1 + deformBytes[type] + 4; // type byte, edge scale
        if (v.ofType[type] > v.largest) v.largest = v.ofType[type];
    }
    return v;
}

// Passes over as many of the next `count` vertices as lie whole in the read stream's buffer,
// by their sizes alone, and returns how many. Such a vertex cannot meet the end of the file,
// and its fields are none the model keeps; a vertex of an unknown deform type stops the pass,
// to be read field by field and reported.
std::int32_t skipBufferedVertices(std::int32_t count, const VertexSizes& v)
{
    std::int32_t available = 0;
    const unsigned char* bytes = ReadStream::peek(v.largest, &available);
    if (bytes == nullptr) return 0;
    std::int32_t used = 0;
    std::int32_t passed = 0;
    while (passed < count && available - used >= v.largest) {
        const unsigned type = bytes[used + v.headBytes];
        if (type > kQdef) break;
        used += v.ofType[type];
        ++passed;
    }
    ReadStream::advance(used);
    return passed;
}

} // namespace

int readVertices()
{
    gModel.vertexCount = ReadStream::readInt32();
    consolePrint("%d Vertices.\n", gModel.vertexCount);
    const int boneWidth = gModel.boneIndexSize;
    const VertexSizes sizes = vertexSizes(boneWidth);
    const bool wholeFromBuffer = plainIndexWidth(boneWidth) && sizes.largest <= ReadStream::kPeekBytes;
    const std::int32_t headBytes = sizes.headBytes;
    for (std::int32_t i = 0; i < gModel.vertexCount; ++i) {
        if (endedAt(ReadSection::Vertices, i)) return -1;
        if (wholeFromBuffer) {
            i += skipBufferedVertices(gModel.vertexCount - i, sizes);
            if (i == gModel.vertexCount) break;
        }
        // Field by field: near the end of the buffer or the file, or a vertex to report.
        skipBytes(headBytes);
        int type = ReadStream::readByte();
        switch (type) {
        case kBdef1:
            skipIndices(boneWidth, 1);
            break;
        case kBdef2:
            skipIndices(boneWidth, 2);
            skipBytes(4);
            break;
        case kBdef4:
        case kQdef:
            skipIndices(boneWidth, 4);
            skipBytes(4 * 4);
            break;
        case kSdef:
            skipIndices(boneWidth, 2);
            skipBytes((1 + 3 * 3) * 4); // weight, C, R0, R1
            break;
        default:
            return stopReading(ReadStop::IllegalDeformType, ReadSection::Vertices, i,
                               static_cast<signed char>(type));
        }
        skipBytes(4); // edge scale
    }
    return 0;
}

int readFaces()
{
    std::int32_t indexCount = ReadStream::readInt32();
    gModel.faceCount = indexCount / 3;
    consolePrint("%d Surfaces.\n", gModel.faceCount);
    if (indexCount % 3 != 0) return stopReading(ReadStop::FaceCountNotTriple, ReadSection::Faces, -1, indexCount);
    const int width = gModel.vertexIndexSize;
    for (std::int32_t i = 0; i < gModel.faceCount; ++i) {
        if (endedAt(ReadSection::Faces, i)) return -1;
        const std::int32_t whole = plainIndexWidth(width) ? skipBufferedRecords(gModel.faceCount - i, 3 * width) : 0;
        if (whole > 0) {
            i += whole - 1;
            continue;
        }
        const std::int32_t faceStart = ReadStream::position();
        skipIndices(gModel.vertexIndexSize, 3);
        // A vertex index width the header does not define reads nothing, so every later face
        // would only repeat the same three "undef" lines without moving: up to 715 million
        // times for a count taken from a broken file. The position is the same either way.
        if (ReadStream::position() == faceStart) break;
    }
    return 0;
}

// Texture i's path, read into gTextureText (`whole` when nothing was left out), as Shift-JIS
// into the model; one that does not fit whole is kept cut and marked too long.
void keepTexturePath(std::int32_t i, bool whole)
{
    textToSjis(gTextureSjis, gTextureText);
    std::size_t length = std::strlen(gTextureSjis);
    const bool fits = whole && length < static_cast<std::size_t>(kTexturePathBytes);
    if (!fits && length >= static_cast<std::size_t>(kTexturePathBytes)) {
        length = kTexturePathBytes - 1;
        gTextureSjis[length] = '\0';
        length -= static_cast<std::size_t>(trimDanglingLeadByte(gTextureSjis));
    }
    std::memcpy(gModel.texturePaths[i], gTextureSjis, length + 1);
    gModel.textureTooLong[i] = !fits;
}

int readTextures()
{
    gModel.textureBlockStart = ReadStream::position();
    gModel.textureCount = ReadStream::readInt32();
    consolePrint("%d Textures.\n", gModel.textureCount);
    int result = 0;
    // Paths read whole: a file that ends inside the list leaves the later entries holding
    // an earlier model's paths, which must not be checked as this model's.
    std::int32_t whole = 0;
    for (std::int32_t i = 0; i < gModel.textureCount; ++i) {
        if (endedAt(ReadSection::Textures, i)) {
            result = -1;
            break;
        }
        const bool textWhole = readTextKept(gTextureText, kTextureTextKeptBytes);
        // Textures beyond the table's capacity are read to stay in step, and dropped.
        if (i < kTextureCapacity) keepTexturePath(i, textWhole);
        if (ReadStream::status() == 0) whole = i + 1;
    }
    gModel.keptTextureCount = whole < kTextureCapacity ? whole : kTextureCapacity;
    gModel.droppedTextureCount = whole - gModel.keptTextureCount;
    gModel.textureBlockEnd = ReadStream::position();
    return result;
}

int readMaterials()
{
    gModel.materialCount = ReadStream::readInt32();
    consolePrint("%d Materials.\n", gModel.materialCount);
    const int textureWidth = gModel.textureIndexSize;
    int result = 0;
    for (std::int32_t i = 0; i < gModel.materialCount && result == 0; ++i) {
        if (endedAt(ReadSection::Materials, i)) return -1;
        readText(gText);
        readText(gText);
        skipBytes(kMaterialColourBytes);
        skipIndices(textureWidth, 2); // texture, sphere texture
        skipBytes(1);                 // sphere mode
        int toonSharing = ReadStream::readByte();
        if (toonSharing == 0) {
            skipIndices(textureWidth, 1);
        } else if (toonSharing == 1) {
            skipBytes(1);
        } else {
            result = stopReading(ReadStop::UnknownToonSharing, ReadSection::Materials, i, toonSharing);
        }
        readText(gText); // memo
        std::int32_t faceVertexCount = ReadStream::readInt32();
        if (faceVertexCount % 3 != 0)
            result = stopReading(ReadStop::MaterialVertexCount, ReadSection::Materials, i, faceVertexCount);
    }
    return result;
}
