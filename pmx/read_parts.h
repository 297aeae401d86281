// The pieces the PMX reader's files share: the text reader, the helpers that pass over fields
// the model does not keep, and one function per section. Internal to pmx/.
#pragma once

#include <cstdint>

#include "pmx/model.h"

// Room for a kept text converted to the inside form: UTF-8 input of 254 bytes needs up to 763
// (a byte of a broken sequence is escaped in three).
constexpr int kSjisTextBytes = 3 * kModelTextKeptBytes + 1;

// Reads a text field: the int length, then every byte of it; the first 254 go to `out`
// (kModelTextBytes long), followed by zero bytes. A negative length reads nothing.
void readText(unsigned char* out);
// The same with the first `keep` bytes kept (`out` holds keep + 2 bytes or more); true when
// the text had no more bytes than that.
bool readTextKept(unsigned char* out, std::int32_t keep);
// A kept text converted to Shift-JIS by the file's encoding (UTF-8 input prints its trace).
void textToSjis(char* out, const unsigned char* text);
// True when a kept text holds nothing (first unit or byte zero).
bool textIsEmpty(const unsigned char* text);
// True when a kept text equals a name constant, compared in the file's encoding.
bool textEquals(const unsigned char* text, const char* utf8, const unsigned char* utf16);

// Passes over n bytes (nothing when n <= 0); the stream closes at the end of input.
void skipBytes(std::int32_t n);
// Passes over `count` records of `recordBytes` each (nothing when count <= 0), as many calls
// of skipBytes would, without a limit on the product.
void skipRecords(std::int32_t count, std::int32_t recordBytes);
// Passes over as many of the next `count` records of `recordBytes` (at most
// ReadStream::kPeekBytes) as lie whole in the read stream's buffer, and returns how many: such
// a record cannot meet the end of the file. 0 when not even one lies there.
std::int32_t skipBufferedRecords(std::int32_t count, std::int32_t recordBytes);
// An index width the format defines: 1, 2 or 4.
bool plainIndexWidth(int width);
// Passes over `count` indices of a width; a width other than 1, 2 or 4 reads nothing and
// reports each index, as ReadStream::readIndex does.
void skipIndices(int width, int count);

// Header: signature, version, global bytes, the four texts and the model-name display.
// 0 accepted, 2 not PMX (stream closed).
int readHeader();

// Sections, in file order. Each prints its count line and returns 0, or -1 after printing the
// error that ends the reading.
int readVertices();
int readFaces();
int readTextures();
int readMaterials();
int readBones();
int readMorphs();
int readDisplayFrames();
int readRigidBodies();
int readJoints();

// The data after the joints, starting with the byte already read.
void readTrailingData(int firstByte);
