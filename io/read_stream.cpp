// The read stream ("RD"): one process-wide input file with its status byte, byte position and
// static 4096-byte buffer. Values are composed little-endian from single bytes; the end of the
// input closes the stream, and every later read returns its failure value without a file.
#include "io/read_stream.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/console.h"
#include "platform/platform.h"

namespace ReadStream {
namespace {

constexpr signed char kOpen = 0;
constexpr signed char kClosed = -1;
constexpr std::int32_t kLastPosition = INT32_MAX;

std::FILE* gFile = nullptr;
signed char gStatus = kClosed;
std::int32_t gPosition = 0;
char gBuffer[kBufferBytes];

// A missing byte (-1) keeps all its bits set, so it contributes 0xFF to a composed value.
std::uint32_t byteBits(int byte) { return static_cast<std::uint32_t>(byte) & 0xFFu; }

std::uint32_t readBits32() {
    std::uint32_t b0 = byteBits(readByte());
    std::uint32_t b1 = byteBits(readByte());
    std::uint32_t b2 = byteBits(readByte());
    std::uint32_t b3 = byteBits(readByte());
    return b0 | (b1 << 8) | (b2 << 16) | (b3 << 24);
}

} // namespace

int probe(const char* path) {
    close();
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr) return -1;
    gFile = file;
    gStatus = kOpen;
    gPosition = 0;
    return 0;
}

int open(const char* path) {
    close();
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr) {
        consolePrint("Cannot open RD file : %s\n", path);
        return -1;
    }
    // Every offset of the file must be a position: at 2 GiB they no longer are.
    platform::FileStamp opened;
    if (platform::fileStamp(file, &opened) == 0 && opened.size > kLastPosition) {
        consolePrint("Too large RD file (2 GiB or more) : %s\n", path);
        std::fclose(file);
        return -1;
    }
    gFile = file;
    gStatus = kOpen;
    gPosition = 0;
    if (std::setvbuf(file, gBuffer, _IOFBF, sizeof gBuffer) != 0) {
        consolePrint("Buffering failed.(RD) \n");
        close();
        return -1;
    }
    return 0;
}

void close() {
    if (gStatus == kOpen) std::fclose(gFile);
    gFile = nullptr;
    gStatus = kClosed;
}

int status() { return gStatus; }

int stamp(platform::FileStamp* out) {
    if (gStatus != kOpen) return -1;
    return platform::fileStamp(gFile, out);
}

std::int32_t position() { return gPosition; }

int readByte() {
    if (gStatus != kOpen) return -1;
    // A file that grew past what a position counts ends there.
    int byte = gPosition < kLastPosition ? platform::readFileByte(gFile) : EOF;
    if (byte == EOF) {
        close();
        return -1;
    }
    ++gPosition;
    return byte;
}

int readInt16() {
    std::uint32_t b0 = byteBits(readByte());
    std::uint32_t b1 = byteBits(readByte());
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b0 | (b1 << 8)));
}

std::int32_t readInt32() { return static_cast<std::int32_t>(readBits32()); }

float readFloat() {
    std::uint32_t bits = readBits32();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::int32_t readIndex(int width) {
    switch (width) {
    case 1: return readByte() & 0xFF;
    case 2: return readInt16() & 0xFFFF;
    case 4: return readInt32();
    default:
        consolePrint("undef(size=%d) err.\n", width);
        return -1;
    }
}

std::int32_t readBlock(void* destination, std::int32_t n) {
    if (gStatus != kOpen || n <= 0) return 0;
    std::size_t want = static_cast<std::size_t>(n);
    std::size_t room = static_cast<std::size_t>(kLastPosition - gPosition);
    std::size_t got = std::fread(destination, 1, want < room ? want : room, gFile);
    if (got < want) close();
    gPosition += static_cast<std::int32_t>(got);
    return static_cast<std::int32_t>(got);
}

int seek(std::int32_t offset) {
    // A closed stream has no file to reposition; it stays closed.
    if (gStatus != kOpen) return -1;
    // A repositioning that fails would leave the position naming a byte the next read does
    // not return; the stream is closed instead, so the caller sees the failure.
    if (offset < 0 || std::fseek(gFile, offset, SEEK_SET) != 0) {
        close();
        return -1;
    }
    gPosition = offset;
    gStatus = kOpen;
    return gStatus;
}

} // namespace ReadStream
