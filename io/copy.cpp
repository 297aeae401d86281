// Copying from the read stream to the write stream in blocks of at most 8192 bytes, through
// one static buffer: the writer's way of carrying the unchanged stretches of a model across.
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

} // namespace

std::int32_t copyBytes(std::int32_t n) {
    if (ReadStream::status() != 0) return -1;
    std::int32_t total = 0;
    // A source that ends early closes the read stream; the later passes read nothing, so the
    // copy still ends and returns what was there.
    for (std::int32_t remaining = n; remaining > 0;) {
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
    std::int32_t total = 0;
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
