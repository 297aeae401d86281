// Writing whole characters into a converter's output without passing its capacity.
#include <cstring>

#include "text/convert_core.h"

bool putBytes(OutputBuffer& out, const unsigned char* bytes, std::size_t length) {
    // One byte stays reserved for the terminator.
    if (out.capacity == 0 || out.used > out.capacity - 1) return false;
    if (length > out.capacity - 1 - out.used) return false;
    std::memcpy(out.bytes + out.used, bytes, length);
    out.used += length;
    return true;
}

void finishOutput(OutputBuffer& out) {
    if (out.capacity == 0) return;
    out.bytes[out.used < out.capacity ? out.used : out.capacity - 1] = '\0';
}

bool putSjisCode(OutputBuffer& out, std::uint16_t code) {
    unsigned char bytes[2];
    if (code < 0x100) {
        bytes[0] = static_cast<unsigned char>(code);
        return putBytes(out, bytes, 1);
    }
    bytes[0] = static_cast<unsigned char>(code >> 8);
    bytes[1] = static_cast<unsigned char>(code & 0xFF);
    return putBytes(out, bytes, 2);
}

bool putUtf16(OutputBuffer& out, std::uint32_t codePoint) {
    unsigned char bytes[4];
    std::uint32_t units[2] = {codePoint, 0};
    std::size_t count = 1;
    if (codePoint >= 0x10000) {
        const std::uint32_t v = codePoint - 0x10000;
        units[0] = 0xD800 + (v >> 10);
        units[1] = 0xDC00 + (v & 0x3FF);
        count = 2;
    }
    for (std::size_t i = 0; i < count; ++i) {
        bytes[2 * i] = static_cast<unsigned char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>((units[i] >> 8) & 0xFF);
    }
    return putBytes(out, bytes, 2 * count);
}

bool putUtf8(OutputBuffer& out, std::uint32_t codePoint) {
    unsigned char bytes[4];
    std::size_t length;
    if (codePoint < 0x80) {
        bytes[0] = static_cast<unsigned char>(codePoint);
        length = 1;
    } else if (codePoint < 0x800) {
        bytes[0] = static_cast<unsigned char>(0xC0 | (codePoint >> 6));
        bytes[1] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
        length = 2;
    } else if (codePoint < 0x10000) {
        bytes[0] = static_cast<unsigned char>(0xE0 | (codePoint >> 12));
        bytes[1] = static_cast<unsigned char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes[2] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
        length = 3;
    } else {
        bytes[0] = static_cast<unsigned char>(0xF0 | ((codePoint >> 18) & 0x07));
        bytes[1] = static_cast<unsigned char>(0x80 | ((codePoint >> 12) & 0x3F));
        bytes[2] = static_cast<unsigned char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes[3] = static_cast<unsigned char>(0x80 | (codePoint & 0x3F));
        length = 4;
    }
    return putBytes(out, bytes, length);
}
