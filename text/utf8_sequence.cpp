// Reading one UTF-8 sequence, shared by the traced and the quiet UTF-8 -> Shift-JIS converters
// and the composition so that all see the same sequence boundaries.
#include "text/convert_core.h"

Utf8Sequence readUtf8Sequence(const unsigned char* in) {
    unsigned char first = in[0];
    if (first < 0x80) return {1, 1, true, first};
    if (first < 0xC0 || first >= 0xF8) return {1, 0, false, 0}; // stray continuation, or no form
    int expected = first < 0xE0 ? 2 : (first < 0xF0 ? 3 : 4);
    std::uint32_t codePoint = first & (0x7Fu >> expected);
    for (int i = 1; i < expected; ++i) {
        unsigned char next = in[i];
        // The terminator ends the sequence unconsumed: nothing past it is ever read.
        if (next == 0) return {i, expected, false, 0};
        if ((next & 0xC0) != 0x80) return {i + 1, expected, false, 0};
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return {expected, expected, true, codePoint};
}

bool isShortestValidForm(const Utf8Sequence& s) {
    if (!s.wellFormed) return false;
    std::uint32_t cp = s.codePoint;
    switch (s.expected) {
    case 2: return cp >= 0x80;
    case 3: return cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
    case 4: return cp >= 0x10000 && cp <= 0x10FFFF;
    default: return true;
    }
}
