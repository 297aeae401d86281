// The read stream ("RD"): one process-wide input file with its status byte and byte position.
// The file is read in 128 KiB blocks into a static buffer, and values are taken from there one
// byte at a time (little-endian); the end of the input closes the stream, and every later read
// returns its failure value without a file.
#include "io/read_stream.h"

#include <cstdint>
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

// Blocks are read to gBlock + kPeekBytes; the room before them takes the few bytes a peek
// still needs from the previous block, so a peek always sees its bytes in one piece.
unsigned char gBlock[kPeekBytes + kBlockBytes];
// The unread bytes are gBlock[gNext, gEnd); gBlock[gNext] is the byte at gPosition.
std::int32_t gNext = kPeekBytes;
std::int32_t gEnd = kPeekBytes;

std::int32_t smaller(std::int32_t a, std::int32_t b) { return a < b ? a : b; }

std::int32_t buffered() { return gEnd - gNext; }

void dropBuffered() { gNext = gEnd = kPeekBytes; }

// Reads the next block behind the unread bytes (fewer than kPeekBytes of them), which move just
// before it. False when no byte arrived: the end of the file, or a read error.
bool refill() {
    const std::int32_t keep = buffered();
    std::memmove(gBlock + kPeekBytes - keep, gBlock + gNext, static_cast<std::size_t>(keep));
    gNext = kPeekBytes - keep;
    // A file that grew past what a position counts ends there: no byte beyond is brought in,
    // so no position taken from the buffer can overflow.
    const std::int32_t room = smaller(kBlockBytes, kLastPosition - gPosition - keep);
    std::size_t got = std::fread(gBlock + kPeekBytes, 1, static_cast<std::size_t>(room), gFile);
    gEnd = kPeekBytes + static_cast<std::int32_t>(got);
    return got > 0;
}

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

namespace {

// Takes `file` (nullptr when it did not open) as the stream's file: the messages and results of
// open().
int openWith(std::FILE* file, const char* path) {
    if (file == nullptr) {
        consolePrint("Cannot open RD file : %s\n", platform::shownPath(path));
        return -1;
    }
    // Every offset of the file must be a position: at 2 GiB they no longer are.
    platform::FileStamp opened;
    if (platform::fileStamp(file, &opened) == 0 && opened.size > kLastPosition) {
        consolePrint("Too large RD file (2 GiB or more) : %s\n", platform::shownPath(path));
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

} // namespace

int open(const char* path) {
    close();
    return openWith(platform::openFile(path, "rb"), path);
}

int openModel(const char* path) {
    close();
    return openWith(platform::openModel(path), path);
}

int reopenModel(const char* path) {
    close();
    std::FILE* file = nullptr;
    int found = platform::reopenModel(&file);
    return found == 1 ? 1 : openWith(file, path);
}

void close() {
    if (gStatus == kOpen) std::fclose(gFile);
    gFile = nullptr;
    gStatus = kClosed;
    dropBuffered();
}

int status() { return gStatus; }

std::int32_t position() { return gPosition; }

int readByte() {
    if (gStatus != kOpen) return -1;
    if (gNext == gEnd && !refill()) {
        close();
        return -1;
    }
    ++gPosition;
    return gBlock[gNext++];
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
    unsigned char* out = static_cast<unsigned char*>(destination);
    std::int32_t got = 0;
    while (got < n) {
        if (gNext == gEnd && !refill()) break;
        const std::int32_t take = smaller(n - got, buffered());
        std::memcpy(out + got, gBlock + gNext, static_cast<std::size_t>(take));
        gNext += take;
        gPosition += take; // counted as taken: the next refill stops where a position does
        got += take;
    }
    if (got < n) close();
    return got;
}

std::int32_t skip(std::int32_t n) {
    if (gStatus != kOpen || n <= 0) return 0;
    std::int32_t passed = 0;
    while (passed < n) {
        if (gNext == gEnd && !refill()) break;
        const std::int32_t take = smaller(n - passed, buffered());
        gNext += take;
        gPosition += take;
        passed += take;
    }
    if (passed < n) close();
    return passed;
}

int seek(std::int32_t offset) {
    // A closed stream has no file to reposition; it stays closed.
    if (gStatus != kOpen) return -1;
    if (offset >= gPosition && offset - gPosition <= buffered()) {
        // Forward into what is already buffered: the file need not move.
        gNext += offset - gPosition;
        gPosition = offset;
        return gStatus;
    }
    // A repositioning that fails would leave the position naming a byte the next read does
    // not return; the stream is closed instead, so the caller sees the failure.
    if (offset < 0 || std::fseek(gFile, offset, SEEK_SET) != 0) {
        close();
        return -1;
    }
    dropBuffered();
    gPosition = offset;
    gStatus = kOpen;
    return gStatus;
}

const unsigned char* peek(std::int32_t n, std::int32_t* available) {
    if (gStatus != kOpen || n <= 0 || n > kPeekBytes) return nullptr;
    // Short of the end of the file, one block read always brings the bytes asked for.
    if (buffered() < n) {
        refill();
        if (buffered() < n) return nullptr;
    }
    *available = buffered();
    return gBlock + gNext;
}

void advance(std::int32_t n) {
    if (n <= 0) return;
    n = smaller(n, buffered());
    gNext += n;
    gPosition += n;
}

std::int32_t transferTo(std::FILE* to, std::int32_t n) {
    if (gStatus != kOpen) return -1;
    // The position must still count every byte moved.
    n = smaller(n, INT32_MAX - gPosition);
    if (n <= 0) return 0;
    std::int32_t moved = platform::copyFileBytes(gFile, gPosition, to, n);
    if (moved < 0) return -1;
    // The copy went around the buffer: what it holds now lies behind the position.
    dropBuffered();
    gPosition += moved;
    if (std::fseek(gFile, gPosition, SEEK_SET) != 0) close();
    return moved;
}

} // namespace ReadStream
