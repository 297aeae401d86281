// Lookups in the Shift-JIS <-> Unicode code tables (generated into sjis_tables.cpp by
// tools/gen_sjis_tables.py), the compatibility overrides the converters apply before them,
// and two byte-level helpers. The converters themselves live in text/convert.h.
#pragma once

#include <cstdint>

// The table's code point for a single byte or a double-byte code (lead * 256 + trail),
// taken as its low 16 bits; 0 when undefined or outside the table's ranges.
std::uint32_t sjisToUnicode(std::uint32_t code);

// The table's Shift-JIS code for a code point below U+10000, taken as its low 16 bits;
// 0 when undefined or outside the table's ranges. Below 0x100: one byte.
std::uint16_t unicodeToSjis(std::uint32_t codePoint);

// Shift-JIS to Unicode override for lead bytes 0x81-0x9F (code page 932's values);
// 0 when the code has none.
std::uint32_t sjisOverrideToUnicode(std::uint16_t code);

// Unicode to Shift-JIS override (tried before the table); 0 when the code point has none.
std::uint16_t unicodeOverrideToSjis(std::uint32_t codePoint);

// The program's own lead-byte test: 0x80-0x9F and 0xE0-0xFC, whatever the system's code page.
bool isSjisLeadByte(unsigned char byte);

// Removes a character cut short at the end of `text`: a lead byte without its trail byte, or an
// escape of the inside form without all of its digits. 1 when removed, else 0.
int trimDanglingLeadByte(char* text);
