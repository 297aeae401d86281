// The one write stream of the process: a buffered output file with a status byte and a byte
// count. A failed write closes it; callers check status() after each group of writes.
#pragma once

#include <cstdint>
#include <cstdio>

namespace WriteStream {

// The runtime's buffer for the file, handed over at open: large, so that the copies between
// the streams reach the file in few writes where the system cannot copy file to file.
constexpr int kBufferBytes = 64 * 1024;

// Takes `file`, a new file open for writing, as the stream's file: 0; -1 after "Buffering
// failed.(WR)\n" (the file is then closed). A stream still open is closed first.
int attach(std::FILE* file);
// Writes out what is buffered and hands the file back, still open, for the caller to finish and
// close; nullptr when a write failed (the file is then closed). The stream is closed either way.
std::FILE* detach();
// Closes the file. Returns 0 when every byte reached the file (no earlier write failure and
// fclose succeeded), -1 otherwise; the stream is closed either way.
int close();
int status();
int writeByte(int value);
int writeInt32(std::int32_t value);
int writeFloat(float value);
// n bytes in one write: n, or the accepted count after a short write (stream closed), or -1.
std::int32_t writeBlock(const void* source, std::int32_t n);

// For a copy that moves bytes into the file around the stream: writes out what is buffered
// and returns the file, with *count cut to what the test seam still lets through. nullptr when
// the stream is closed, or when writing out failed ("File buffered writing error.(or Disk
// full)\n", the stream closed).
std::FILE* beginTransfer(std::int32_t* count);
// Counts the `moved` bytes that such a copy put into the file.
void endTransfer(std::int32_t moved);

// Test seam: after `bytes` more bytes the underlying writes fail as on a full disk
// (negative: never). Lets tests fail a save part-way although they run as root. It stays in
// force across opens until it is set negative again.
void failAfterBytesForTesting(std::int32_t bytes);

} // namespace WriteStream

// Copies the next n bytes of the read stream to the write stream: bytes written, or -1.
std::int32_t copyBytes(std::int32_t n);
// Copies the rest of the read stream: bytes written, or -1.
std::int32_t copyRest();
