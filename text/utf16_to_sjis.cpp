// UTF-16LE -> the inside form, for the texts of UTF-16LE models and for the names the Windows
// file system gives. Every unit comes back: a character without a code of its own, a pair
// beyond the Basic Multilingual Plane and a surrogate without its partner are escaped
// (text/inside_escape.h), never replaced.
#include "text/convert.h"
#include "text/convert_core.h"
#include "text/inside_escape.h"

namespace {

std::uint16_t unitAt(const unsigned char* in) {
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

bool isHighSurrogate(std::uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(std::uint16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Units up to the zero unit into `buffer`, characters read as `reading`: the bytes consumed, or
// -1 when a character did not fit (the output ends before it).
int utf16ToInside(OutputBuffer& buffer, const unsigned char* in, InsideReading reading) {
    int consumed = 0;
    for (;;) {
        const std::uint16_t unit = unitAt(in + consumed);
        if (unit == 0) break;
        consumed += 2;
        std::uint32_t codePoint = unit;
        // A high surrogate takes its partner with it; alone (the terminator, any other unit
        // after it) it is a unit of its own. Nothing past the terminator is read.
        if (isHighSurrogate(unit)) {
            const std::uint16_t next = unitAt(in + consumed);
            if (isLowSurrogate(next)) {
                codePoint = 0x10000 + ((unit - 0xD800u) << 10) + (next - 0xDC00u);
                consumed += 2;
            }
        }
        if (!putInsideCharacter(buffer, codePoint, reading)) {
            finishOutput(buffer);
            return -1;
        }
    }
    finishOutput(buffer);
    return consumed;
}

} // namespace

int utf16ToSjis(char* out, const unsigned char* in) {
    // No size from the caller: the output is at most twice the input's byte length plus 1.
    OutputBuffer buffer{out, kUnboundedCapacity, 0};
    return utf16ToInside(buffer, in, InsideReading::PmxText);
}

int utf16NameToInside(char* out, std::size_t capacity, const unsigned char* in) {
    OutputBuffer buffer{out, capacity, 0};
    return utf16ToInside(buffer, in, InsideReading::FileName) < 0 ? -1 : 0;
}
