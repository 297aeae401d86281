// The one read stream of the process: a buffered input file with a status byte and a byte
// position, read value by value (little-endian). Opening, probing and closing are here too.
#pragma once

#include <cstdint>
#include <cstdio>


namespace ReadStream {

// The runtime's buffer for the file, handed over at open.
constexpr int kBufferBytes = 4096;
// The file is read in blocks of this size into the stream's own static buffer.
constexpr std::int32_t kBlockBytes = 128 * 1024;
// The most bytes one peek can ask to see at once.
constexpr std::int32_t kPeekBytes = 4096;

// Opens silently (default buffering); 0, or -1 and the stream closed. For existence tests.
int probe(const char* path);
// Opens with the static 4096-byte buffer; prints "Cannot open RD file : %s\n" on failure, and
// refuses a file of 2 GiB or more, whose offsets no position holds ("Too large RD file").
int open(const char* path);
// open() for the model to be repaired: its folder and identity are held (platform::openModel)
// until the next model, for the save.
int openModel(const char* path);
// The held model opened again for the copy, as open() does: 0; -1 (reported as open() reports);
// 1 when the name no longer leads to the file read, unchanged (nothing printed, nothing opened).
int reopenModel(const char* path);
void close();
// 0 open, -1 closed.
int status();
// Bytes consumed so far: the offset of the next byte.
std::int32_t position();
// 0..255, or -1 (and the stream closed) at the end of input.
int readByte();
// Little-endian values; a missing byte contributes 0xFF.
int readInt16();
std::int32_t readInt32();
float readFloat();
// Width 1 and 2 unsigned, 4 signed; any other width prints "undef(size=%d) err.\n" and gives -1.
std::int32_t readIndex(int width);
// Up to n bytes into `destination`; a short read closes the stream. Returns the count read.
std::int32_t readBlock(void* destination, std::int32_t n);
// Passes over up to n bytes exactly as readBlock would read them (a short count closes the
// stream), without copying them anywhere. Returns the count passed.
std::int32_t skip(std::int32_t n);
// Repositions to an absolute offset: 0, or -1 when the stream is closed (nothing touched) or
// the file cannot be repositioned there (the stream is then closed).
int seek(std::int32_t offset);

// The bytes ahead of the position, unconsumed: at least n of them (n at most kPeekBytes), with
// their count in *available. nullptr when the stream is closed or the file has fewer than n
// bytes left; the stream then stays as it was, and the next read meets the end as usual.
const unsigned char* peek(std::int32_t n, std::int32_t* available);
// Consumes n bytes that peek has shown.
void advance(std::int32_t n);

// Moves up to n bytes from the position straight into `to` (an output file with nothing
// buffered) by the system's file-to-file copy, and counts them as read. Returns the count
// moved, fewer when the file ends first or the copy stops part-way, or -1 when the system
// cannot copy between these files or the stream is closed (nothing moved).
std::int32_t transferTo(std::FILE* to, std::int32_t n);

} // namespace ReadStream
