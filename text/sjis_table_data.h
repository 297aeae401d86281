// Raw arrays of the Shift-JIS <-> Unicode tables, one per covered range (generated into
// sjis_tables.cpp by tools/gen_sjis_tables.py). Only the lookups in sjis_lookup.cpp read them;
// everything else goes through text/sjis_tables.h.
#pragma once

#include <cstdint>

// Shift-JIS -> Unicode, indexed by code - range start: single bytes, lead bytes 0x80-0x9F,
// lead bytes 0xE0-0xFC. 32-bit entries: some code points lie above U+FFFF.
constexpr std::uint32_t kSjisSingleFirst = 0x0000;
constexpr std::uint32_t kSjisSingleLast = 0x00FF;
constexpr std::uint32_t kSjisLead80First = 0x8000;
constexpr std::uint32_t kSjisLead80Last = 0x9FFF;
constexpr std::uint32_t kSjisLeadE0First = 0xE000;
constexpr std::uint32_t kSjisLeadE0Last = 0xFCFF;

extern const std::uint32_t kSjisSingleToUnicode[kSjisSingleLast - kSjisSingleFirst + 1];
extern const std::uint32_t kSjisLead80ToUnicode[kSjisLead80Last - kSjisLead80First + 1];
extern const std::uint32_t kSjisLeadE0ToUnicode[kSjisLeadE0Last - kSjisLeadE0First + 1];

// Unicode -> Shift-JIS, indexed by code point - range start. Below 0x100: one byte.
constexpr std::uint32_t kUnicodeLowFirst = 0x0000;
constexpr std::uint32_t kUnicodeLowLast = 0x04FF;
constexpr std::uint32_t kUnicodeMidFirst = 0x1E00;
constexpr std::uint32_t kUnicodeMidLast = 0x9FFF;
constexpr std::uint32_t kUnicodeHighFirst = 0xF900;
constexpr std::uint32_t kUnicodeHighLast = 0xFFFF;

extern const std::uint16_t kUnicodeToSjisLow[kUnicodeLowLast - kUnicodeLowFirst + 1];
extern const std::uint16_t kUnicodeToSjisMid[kUnicodeMidLast - kUnicodeMidFirst + 1];
extern const std::uint16_t kUnicodeToSjisHigh[kUnicodeHighLast - kUnicodeHighFirst + 1];
