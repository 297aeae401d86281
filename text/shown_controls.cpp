// Control characters shown as "\x" and two hex digits (see shown_controls.h).
#include "text/shown_controls.h"

namespace {

constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kUtf8C1Lead = 0xC2;
constexpr unsigned char kC1First = 0x80;
constexpr unsigned char kC1Last = 0x9F;
const char kHexDigits[] = "0123456789abcdef";

bool passes(unsigned char byte) {
    return byte == '\0' || byte == '\t' || byte == '\n' || byte == '\r';
}

} // namespace

std::size_t controlCharacterAt(const char* bytes, std::size_t length, bool utf8, unsigned* code) {
    const unsigned char first = static_cast<unsigned char>(bytes[0]);
    if ((first < 0x20 && !passes(first)) || first == kDelete) {
        *code = first;
        return 1;
    }
    if (!utf8 || first != kUtf8C1Lead || length < 2) return 0;
    const unsigned char second = static_cast<unsigned char>(bytes[1]);
    if (second < kC1First || second > kC1Last) return 0;
    *code = second; // C2 xx is U+00xx for xx 80-BF
    return 2;
}

std::size_t showControls(char* out, const char* in, std::size_t length, bool utf8) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < length;) {
        unsigned code = 0;
        const std::size_t width = controlCharacterAt(in + i, length - i, utf8, &code);
        if (width == 0) {
            out[written++] = in[i++];
            continue;
        }
        out[written++] = '\\';
        out[written++] = 'x';
        out[written++] = kHexDigits[code >> 4];
        out[written++] = kHexDigits[code & 0xF];
        i += width;
    }
    return written;
}
