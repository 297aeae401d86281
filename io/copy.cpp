// Copying from the read stream to the write stream: the writer's way of carrying the unchanged
// stretches of a model across. Whole 8192-byte chunks go file to file inside the system where
// it can; the rest, and everything where it cannot, through one static 8192-byte buffer.
#include <cstdint>

#include "io/read_stream.h"
#include "io/write_stream.h"

namespace {

constexpr std::int32_t kCopyBufferBytes = 8192;
unsigned char gCopyBuffer[kCopyBufferBytes];

// Writes `got` bytes of the copy buffer: the count written, or -1 when fewer were accepted.
std::int32_t putCopied(std::int32_t got) {
    std::int32_t put = WriteStream::writeBlock(gCopyBuffer, got);
    return put < got ? -1 : put;
}

// Moves whole chunks, up to `want` bytes, file to file: the count moved (0 when the system
// cannot). Whole chunks only, and no more than the test seam lets through, so that a write
// failure after it still falls on the chunk where a copy through the buffer meets it.
std::int32_t transferChunks(std::int32_t want) {
    if (want < kCopyBufferBytes) return 0;
    std::FILE* to = WriteStream::beginTransfer(&want);
    want -= want % kCopyBufferBytes;
    if (to == nullptr || want <= 0) return 0;
    std::int32_t moved = ReadStream::transferTo(to, want);
    if (moved <= 0) return 0;
    WriteStream::endTransfer(moved);
    return moved;
}

} // namespace

std::int32_t copyBytes(std::int32_t n) {
    if (ReadStream::status() != 0) return -1;
    std::int32_t total = transferChunks(n);
    // A source that ends early closes the read stream; the later passes read nothing, so the
    // copy still ends and returns what was there.
    for (std::int32_t remaining = n - total; remaining > 0;) {
        std::int32_t chunk = remaining < kCopyBufferBytes ? remaining : kCopyBufferBytes;
        std::int32_t got = ReadStream::readBlock(gCopyBuffer, chunk);
        remaining -= chunk;
        if (got != 0) {
            std::int32_t put = putCopied(got);
            if (put < 0) return -1;
            total += put;
        }
    }
    return total;
}

std::int32_t copyRest() {
    if (ReadStream::status() != 0) return -1;
    std::int32_t total = transferChunks(INT32_MAX);
    std::int32_t got;
    do {
        got = ReadStream::readBlock(gCopyBuffer, kCopyBufferBytes);
        if (got != 0) {
            std::int32_t put = putCopied(got);
            if (put < 0) return -1;
            total += put;
        }
    } while (got == kCopyBufferBytes);
    return total;
}
