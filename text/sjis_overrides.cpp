// The compatibility overrides the converters try before the tables: they bring the codes where
// Shift_JIS-2004 and code page 932 disagree back to code page 932's values.
#include "text/sjis_tables.h"

namespace {

struct SjisUnicodePair {
    std::uint16_t sjis;
    std::uint32_t unicode;
};

// Shift-JIS -> Unicode, for lead bytes 0x81-0x9F.
const SjisUnicodePair kSjisToUnicodeOverrides[] = {
    {0x815C, 0x2015}, // horizontal bar (the table: em dash)
    {0x815F, 0xFF3C}, // full-width reverse solidus
    {0x8160, 0xFF5E}, // full-width tilde (the table: wave dash)
    {0x8161, 0x2225}, // parallel to
    {0x817C, 0xFF0D}, // full-width hyphen-minus
    {0x8191, 0xFFE0}, // full-width cent sign
    {0x8192, 0xFFE1}, // full-width pound sign
    {0x81CA, 0xFFE2}, // full-width not sign
    {0x8790, 0x2252}, // NEC mathematical symbols, undefined in the table
    {0x8791, 0x2261},
    {0x8792, 0x222B},
    {0x8794, 0x2211},
    {0x8795, 0x221A},
    {0x8796, 0x22A5},
    {0x8797, 0x2220},
    {0x879A, 0x2235},
    {0x879B, 0x2229},
    {0x879C, 0x222A},
};

// Unicode -> Shift-JIS, tried in this order. Several win over a table entry of their own:
// U+2225 (table 0x81D2), U+FF0D (table 0x81AF) and the mathematical symbols the table puts in
// row 0x81 go where code page 932's NEC row has them.
const SjisUnicodePair kUnicodeToSjisOverrides[] = {
    {0x8160, 0x301C}, {0x8160, 0xFF5E}, {0x815C, 0x2015}, {0x815F, 0xFF3C},
    {0x8161, 0x2225}, {0x817C, 0xFF0D}, {0x8191, 0xFFE0}, {0x8192, 0xFFE1},
    {0x81CA, 0xFFE2},
    {0x8790, 0x2252}, {0x8791, 0x2261}, {0x8792, 0x222B}, {0x8794, 0x2211},
    {0x8795, 0x221A}, {0x8796, 0x22A5}, {0x8797, 0x2220}, {0x879A, 0x2235},
    {0x879B, 0x2229}, {0x879C, 0x222A},
};

} // namespace

std::uint32_t sjisOverrideToUnicode(std::uint16_t code) {
    for (const SjisUnicodePair& pair : kSjisToUnicodeOverrides) {
        if (pair.sjis == code) return pair.unicode;
    }
    return 0;
}

std::uint16_t unicodeOverrideToSjis(std::uint32_t codePoint) {
    for (const SjisUnicodePair& pair : kUnicodeToSjisOverrides) {
        if (pair.unicode == codePoint) return pair.sjis;
    }
    return 0;
}
