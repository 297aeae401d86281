// The code-page boundary of the POSIX layer: the program's Shift-JIS paths and texts meet the
// system's UTF-8 here, through the text subsystem's quiet converters (no console trace), and
// the emulated code page 932's lead-byte test.
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "text/convert.h"

namespace platform {

bool isDbcsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace posix {

void sjisToUtf8Text(char* out, std::size_t capacity, const char* sjis) {
    if (out == nullptr || capacity == 0) return;
    sjisToUtf8Quiet(out, capacity, sjis);
    // U+203E comes from the single byte 0x7E only (the tables pair them one to one), so its
    // UTF-8 form can be folded back to "~" after the conversion, trail bytes 0x7E untouched.
    std::size_t write = 0;
    for (std::size_t read = 0; out[read] != '\0'; ++read) {
        if (out[read] == '\xE2' && out[read + 1] == '\x80' && out[read + 2] == '\xBE') {
            out[write++] = '~';
            read += 2;
        } else {
            out[write++] = out[read];
        }
    }
    out[write] = '\0';
}

int pathToOutside(char* out, std::size_t capacity, const char* inside) {
    if (out == nullptr || capacity < 5 || inside == nullptr) return -1;
    // Three UTF-8 bytes at most for each Shift-JIS byte: a longer path might be cut, and a
    // shortened path must never be opened in its place.
    if (std::strlen(inside) > (capacity - 1) / 3) return -1;
    sjisToUtf8Text(out, capacity, inside);
    std::size_t length = std::strlen(out);
    // A UTF-8 multibyte sequence never holds a byte below 0x80, so every 0x5C left here is a
    // separator (a Shift-JIS trail byte 0x5C became part of such a sequence).
    for (std::size_t i = 0; i < length; ++i) {
        if (out[i] == '\\') out[i] = '/';
    }
    return 0;
}

void textToInside(char* out, std::size_t capacity, const char* outside, bool keepSlashes) {
    if (out == nullptr || capacity == 0) return;
    out[0] = '\0';
    if (outside == nullptr) return;
    utf8ToSjisQuiet(out, capacity, outside);
    if (!keepSlashes) slashesToBackslashes(out);
}

void slashesToBackslashes(char* inside) {
    for (std::size_t i = 0; inside[i] != '\0'; ++i) {
        unsigned char byte = static_cast<unsigned char>(inside[i]);
        if (isDbcsLeadByte(byte)) {
            if (inside[i + 1] == '\0') break;
            ++i;
        } else if (byte == '/') {
            inside[i] = '\\';
        }
    }
}

int insideToResolved(char* out, std::size_t capacity, const char* inside, bool lastMayBeMissing) {
    if (pathToOutside(out, capacity, inside) != 0) return -1;
    return resolveNoCase(out, capacity, lastMayBeMissing);
}

} // namespace posix
} // namespace platform
