// The texture block of the repaired copy: the source's block walked entry by entry, renewed
// entries written from correctedTexturePaths in the file's encoding, all others copied as
// they stand (so textures with no Shift-JIS form and those past the 1024th stay intact).
#include <cstring>

#include "io/read_stream.h"
#include "io/write_stream.h"
#include "platform/console.h"
#include "pmx/model.h"
#include "pmx/write_parts.h"
#include "text/convert.h"

namespace {

// A corrected path of up to 519 Shift-JIS bytes takes at most 3 bytes per byte in UTF-8
// (plus one) or 2 per byte in UTF-16LE (plus a zero unit).
constexpr int kEncodedPathBytes = 3 * kTexturePathBytes;
unsigned char gEncoded[kEncodedPathBytes];

// Entry k of correctedTexturePaths in the file's encoding; returns its byte length. A path
// that is not Shift-JIS becomes empty, as it cannot be given back.
std::int32_t encodeCorrectedPath(int k)
{
    const char* path = gModel.correctedTexturePaths[k];
    if (gModel.textEncoding == 0) {
        if (sjisToUtf16(gEncoded, path) == 0) {
            gEncoded[0] = 0;
            gEncoded[1] = 0;
            // The wording, and the empty link, are kept: doc/compatibility.md.
            consolePrint("UTF-16 path cannot be retribed: %s \n", path);
        }
        return utf16ByteLength(gEncoded);
    }
    char* utf8 = reinterpret_cast<char*>(gEncoded);
    if (sjisToUtf8(utf8, path) == 0) {
        utf8[0] = 0;
        consolePrint("UTF-8 path cannot be retribed: %s \n", path);
    }
    return static_cast<std::int32_t>(std::strlen(utf8));
}

// One renewed entry: the source's bytes are passed over, the new length and bytes written.
int writeRenewedEntry(int k, std::int32_t sourceLength)
{
    if (std::memchr(gModel.correctedTexturePaths[k], 0, kTexturePathBytes) == nullptr) return -1;
    if (sourceLength > 0) {
        std::int32_t at = ReadStream::position();
        if (sourceLength > gModel.textureBlockEnd - at) return -1; // not the file that was read
        if (ReadStream::seek(at + sourceLength) != 0) return -1;
    }
    std::int32_t length = encodeCorrectedPath(k);
    WriteStream::writeInt32(length);
    // One block of exactly `length` bytes, so the length field always tells the truth.
    if (length > 0 && WriteStream::writeBlock(gEncoded, length) != length) return -1;
    return WriteStream::status();
}

// One entry as it stands in the source: its length field and bytes.
int copyEntry(std::int32_t sourceLength)
{
    WriteStream::writeInt32(sourceLength);
    if (sourceLength > 0 && copyBytes(sourceLength) != sourceLength) return -1;
    return WriteStream::status();
}

} // namespace

int writeTextureBlock()
{
    std::int32_t count = ReadStream::readInt32();
    if (count != gModel.textureCount || ReadStream::status() != 0) return -1;
    WriteStream::writeInt32(count);
    for (std::int32_t k = 0; k < count; ++k) {
        std::int32_t sourceLength = ReadStream::readInt32();
        if (ReadStream::status() != 0) return -1;
        const bool renewed = k < kTextureCapacity && gModel.textureRenewed[k];
        int result = renewed ? writeRenewedEntry(static_cast<int>(k), sourceLength)
                             : copyEntry(sourceLength);
        if (result != 0) {
            if (WriteStream::status() != 0) consolePrint("Error writing file. \n");
            return -1;
        }
    }
    // The walk must end where the reader saw the block end, or the source has changed.
    if (ReadStream::position() != gModel.textureBlockEnd) return -1;
    return WriteStream::status();
}
