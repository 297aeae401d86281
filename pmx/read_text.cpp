// Text fields and the pass-over helpers of the PMX reader: texts are cut to what the model
// keeps, and fields nobody needs are skipped in blocks rather than value by value.
#include <cstring>

#include "io/read_stream.h"
#include "pmx/read_parts.h"
#include "text/convert.h"

void skipBytes(std::int32_t n)
{
    ReadStream::skip(n);
}

void skipRecords(std::int32_t count, std::int32_t recordBytes)
{
    // One record after another reads exactly what one pass over all of them reads.
    constexpr std::int64_t kStep = 1 << 30;
    std::int64_t left = static_cast<std::int64_t>(count) * recordBytes;
    while (left > 0 && ReadStream::status() == 0) {
        const std::int64_t step = left < kStep ? left : kStep;
        ReadStream::skip(static_cast<std::int32_t>(step));
        left -= step;
    }
}

std::int32_t skipBufferedRecords(std::int32_t count, std::int32_t recordBytes)
{
    std::int32_t available = 0;
    if (count <= 0 || ReadStream::peek(recordBytes, &available) == nullptr) return 0;
    const std::int32_t whole = available / recordBytes < count ? available / recordBytes : count;
    ReadStream::advance(whole * recordBytes);
    return whole;
}

bool plainIndexWidth(int width) { return width == 1 || width == 2 || width == 4; }

void skipIndices(int width, int count)
{
    if (plainIndexWidth(width)) {
        skipBytes(width * count);
        return;
    }
    for (int i = 0; i < count; ++i) ReadStream::readIndex(width);
}

bool readTextKept(unsigned char* out, std::int32_t keep)
{
    std::int32_t n = ReadStream::readInt32();
    std::int32_t kept = 0;
    if (n > 0) {
        std::int32_t want = n < keep ? n : keep;
        // A text cut by the end of the file keeps only the bytes that arrived.
        kept = ReadStream::readBlock(out, want);
        skipBytes(n - want);
    }
    // Three zero bytes where room allows: a UTF-16LE text of odd length still meets a whole
    // zero unit right after it.
    out[kept] = 0;
    out[kept + 1] = 0;
    if (kept < keep) out[kept + 2] = 0;
    return n <= keep;
}

void readText(unsigned char* out) { readTextKept(out, kModelTextKeptBytes); }

void textToSjis(char* out, const unsigned char* text)
{
    if (gModel.textEncoding == 0) utf16ToSjis(out, text);
    else utf8ToSjis(out, text);
}

bool textIsEmpty(const unsigned char* text)
{
    if (gModel.textEncoding == 0) return text[0] == 0 && text[1] == 0;
    return text[0] == 0;
}

bool textEquals(const unsigned char* text, const char* utf8, const unsigned char* utf16)
{
    if (gModel.textEncoding == 0) return utf16Compare(text, utf16) == 0;
    return std::strcmp(reinterpret_cast<const char*>(text), utf8) == 0;
}
