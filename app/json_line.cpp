// JSON Lines output (see json_line.h): pieces gather in a line buffer that goes to the report
// when it fills and at the end of each record.
#include "app/json_line.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/console.h"
#include "platform/platform.h"
#include "text/convert.h"

namespace {

constexpr std::size_t kLineBytes = 64 * 1024;
// The most bytes one character of a string takes: "\udcXX" for a byte, "\u00XX" for a control.
constexpr std::size_t kLongestEscape = 6;

char gLine[kLineBytes];
std::size_t gUsed = 0;
// A text converted outside: three bytes at most for each inside byte.
char gOutside[3 * platform::kWalkPathBytes + 1];

void flush() {
    reportWriteUtf8(gLine, gUsed);
    gUsed = 0;
}

void put(const char* bytes, std::size_t length) {
    if (length > kLineBytes - gUsed) flush();
    std::memcpy(gLine + gUsed, bytes, length);
    gUsed += length;
}

// The length of the well-formed UTF-8 character at `s` (shortest form, no surrogate, at most
// U+10FFFF); 0 when the byte there starts none.
std::size_t characterLength(const unsigned char* s) {
    const unsigned char b = s[0];
    if (b < 0x80) return 1;
    auto trail = [](unsigned char c) { return c >= 0x80 && c <= 0xBF; };
    if (b >= 0xC2 && b <= 0xDF) return trail(s[1]) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        const unsigned char low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
        return s[1] >= low && s[1] <= high && trail(s[2]) ? 3 : 0;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        const unsigned char low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
        return s[1] >= low && s[1] <= high && trail(s[2]) && trail(s[3]) ? 4 : 0;
    }
    return 0;
}

void putEscape(const char* format, unsigned value) {
    char escape[kLongestEscape + 1];
    std::snprintf(escape, sizeof escape, format, value);
    put(escape, kLongestEscape);
}

} // namespace

void jsonRaw(const char* text) { put(text, std::strlen(text)); }

void jsonString(const char* inside) {
    // A path goes out as the file system names it; a text that names no file (none comes from
    // the file system or the converters) still goes out, with "?" for what has no character.
    if (sjisToUtf8Quiet(gOutside, sizeof gOutside, inside, OutsideUse::Path) != 0)
        sjisToUtf8Quiet(gOutside, sizeof gOutside, inside, OutsideUse::Shown);
    put("\"", 1);
    const unsigned char* s = reinterpret_cast<const unsigned char*>(gOutside);
    while (*s != 0) {
        const std::size_t length = characterLength(s);
        const bool c1 = length == 2 && s[0] == 0xC2 && s[1] <= 0x9F;
        if (length == 0) {
            putEscape("\\udc%02x", s[0]);
            ++s;
            continue;
        }
        if (s[0] == '"' || s[0] == '\\') {
            const char escaped[2] = {'\\', static_cast<char>(s[0])};
            put(escaped, 2);
        } else if (s[0] < 0x20 || s[0] == 0x7F || c1) {
            // No control character reaches the terminal or the reader of the line raw.
            putEscape("\\u%04x", c1 ? s[1] : s[0]);
        } else {
            put(reinterpret_cast<const char*>(s), length);
        }
        s += length;
    }
    put("\"", 1);
}

void jsonInt(std::int64_t value) {
    char number[24];
    std::snprintf(number, sizeof number, "%lld", static_cast<long long>(value));
    jsonRaw(number);
}

void jsonFloat(float value) {
    if (!std::isfinite(value)) {
        jsonRaw("null");
        return;
    }
    char number[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(number, sizeof number, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(number, nullptr) == value) break;
    }
    jsonRaw(number);
}

void jsonFixed2(double value) {
    if (!std::isfinite(value)) {
        jsonRaw("null");
        return;
    }
    char number[32];
    std::snprintf(number, sizeof number, "%.2f", value);
    jsonRaw(number);
}

void jsonEndLine() {
    put("\n", 1);
    flush();
}
