// The write stream ("WR"): one process-wide output file with its status byte, byte count and
// static 64 KiB buffer. Any failed write closes it and is remembered until the next open, so
// close() can tell the caller whether the file is complete. Also the disk-full test seam.
#include "io/write_stream.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/console.h"
#include "platform/platform.h"

namespace WriteStream {
namespace {

constexpr signed char kOpen = 0;
constexpr signed char kClosed = -1;

std::FILE* gFile = nullptr;
signed char gStatus = kClosed;
std::int32_t gPosition = 0;
bool gFailed = false; // a write or the final flush failed since the last open
char gBuffer[kBufferBytes];

// Bytes the test seam still lets through; negative means no limit.
std::int32_t gSeamBudget = -1;

// How many of the next n bytes the seam lets reach the file.
std::int32_t seamAllows(std::int32_t n) {
    if (gSeamBudget < 0) return n;
    std::int32_t take = n < gSeamBudget ? n : gSeamBudget;
    gSeamBudget -= take;
    return take;
}

// A failed write leaves the file incomplete: drop it and refuse everything until reopened.
void failAndClose() {
    gFailed = true;
    if (gStatus == kOpen) std::fclose(gFile);
    gFile = nullptr;
    gStatus = kClosed;
}

// A file longer than a position counts could never be read again: the write fails instead.
bool tooLarge(std::int32_t n) {
    if (n <= INT32_MAX - gPosition) return false;
    consolePrint("Too large WR file (2 GiB or more)\n");
    failAndClose();
    return true;
}

} // namespace

int attach(std::FILE* file) {
    if (gStatus == kOpen) close();
    gFailed = true; // until the file is buffered
    if (file == nullptr) return -1;
    if (std::setvbuf(file, gBuffer, _IOFBF, sizeof gBuffer) != 0) {
        consolePrint("Buffering failed.(WR)\n");
        std::fclose(file);
        return -1;
    }
    gFailed = false;
    gFile = file;
    gPosition = 0;
    gStatus = kOpen;
    return 0;
}

std::FILE* detach() {
    std::FILE* file = gFile;
    // Written out now: a full disk often shows only with the last partial buffer.
    if (gStatus == kOpen && std::fflush(file) != 0) failAndClose();
    gFile = nullptr;
    gStatus = kClosed;
    return gFailed ? nullptr : file;
}

int close() {
    if (gStatus == kOpen) {
        // fclose writes out the last partial buffer; a full disk often shows only here.
        if (std::fclose(gFile) != 0) gFailed = true;
    }
    gFile = nullptr;
    gStatus = kClosed;
    return gFailed ? -1 : 0;
}

int status() { return gStatus; }

int writeByte(int value) {
    if (gStatus != kOpen || tooLarge(1)) return -1;
    if (seamAllows(1) != 1 || std::fputc(value & 0xFF, gFile) == EOF) {
        consolePrint("File writing error.(or Disk full)\n");
        failAndClose();
        return -1;
    }
    ++gPosition;
    return 0;
}

int writeInt32(std::int32_t value) {
    std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) writeByte(static_cast<int>((bits >> shift) & 0xFFu));
    return status();
}

int writeFloat(float value) {
    std::int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return writeInt32(bits);
}

std::int32_t writeBlock(const void* source, std::int32_t n) {
    if (gStatus != kOpen || n < 0 || tooLarge(n)) return -1;
    std::int32_t allowed = seamAllows(n);
    std::size_t put = 0;
    if (allowed > 0) put = std::fwrite(source, 1, static_cast<std::size_t>(allowed), gFile);
    if (put < static_cast<std::size_t>(n)) {
        consolePrint("File buffered writing error.(or Disk full)\n");
        failAndClose();
        return static_cast<std::int32_t>(put);
    }
    gPosition += n;
    return n;
}

std::FILE* beginTransfer(std::int32_t* count) {
    if (gStatus != kOpen) return nullptr;
    if (gSeamBudget >= 0 && *count > gSeamBudget) *count = gSeamBudget;
    if (*count > INT32_MAX - gPosition) *count = INT32_MAX - gPosition; // the position counts it
    if (std::fflush(gFile) != 0) {
        consolePrint("File buffered writing error.(or Disk full)\n");
        failAndClose();
        return nullptr;
    }
    return gFile;
}

void endTransfer(std::int32_t moved) {
    if (moved <= 0) return;
    seamAllows(moved);
    gPosition += moved;
}

void failAfterBytesForTesting(std::int32_t bytes) { gSeamBudget = bytes; }

} // namespace WriteStream
