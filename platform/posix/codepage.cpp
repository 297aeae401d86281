// The code-page boundary of the POSIX layer: the program's Shift-JIS paths and texts meet the
// system's UTF-8 here, through the text subsystem's quiet converters (no console trace), and
// the emulated code page 932's lead-byte test.
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "text/convert.h"
#include "text/inside_text.h"

namespace platform {

bool isDbcsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The emulated system's code page is 932 too.
bool systemLeadByte(unsigned char byte) { return isDbcsLeadByte(byte); }

namespace posix {

void sjisToUtf8Text(char* out, std::size_t capacity, const char* sjis) {
    if (out == nullptr || capacity == 0) return;
    sjisToUtf8Quiet(out, capacity, sjis, OutsideUse::Shown);
}

int pathToOutside(char* out, std::size_t capacity, const char* inside) {
    if (out == nullptr || capacity == 0 || inside == nullptr) return -1;
    // A path that was cut, or holds what no file name can hold, must never be opened in its
    // place.
    if (sjisToUtf8Quiet(out, capacity, inside, OutsideUse::Path) != 0) return -1;
    // A UTF-8 multibyte sequence never holds a byte below 0x80, so every 0x5C left here is a
    // separator (a Shift-JIS trail byte 0x5C became part of such a sequence).
    for (std::size_t i = 0; out[i] != '\0'; ++i) {
        if (out[i] == '\\') out[i] = '/';
    }
    return 0;
}

int textToInside(char* out, std::size_t capacity, const char* outside, bool keepSlashes) {
    if (out == nullptr || capacity == 0) return -1;
    out[0] = '\0';
    if (outside == nullptr) return -1;
    const int result = utf8ToSjisQuiet(out, capacity, outside);
    if (!keepSlashes) slashesToBackslashes(out);
    return result;
}

void slashesToBackslashes(char* inside) {
    for (char* p = inside; *p != '\0'; p += insideCharacterBytes(p)) {
        if (*p == '/') *p = '\\';
    }
}

int insideToResolved(char* out, std::size_t capacity, const char* inside, bool lastMayBeMissing) {
    if (pathToOutside(out, capacity, inside) != 0) return -1;
    return resolveNoCase(out, capacity, lastMayBeMissing);
}

} // namespace posix
} // namespace platform
