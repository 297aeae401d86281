// The two table lookups: find the covered range that holds the value, index its array.
// No overrides and no backslash rule here; the converters apply those.
#include "text/sjis_table_data.h"
#include "text/sjis_tables.h"

std::uint32_t sjisToUnicode(std::uint32_t code) {
    std::uint32_t c = code & 0xFFFFu;
    if (c <= kSjisSingleLast) return kSjisSingleToUnicode[c - kSjisSingleFirst];
    if (c >= kSjisLead80First && c <= kSjisLead80Last) return kSjisLead80ToUnicode[c - kSjisLead80First];
    if (c >= kSjisLeadE0First && c <= kSjisLeadE0Last) return kSjisLeadE0ToUnicode[c - kSjisLeadE0First];
    return 0;
}

std::uint16_t unicodeToSjis(std::uint32_t codePoint) {
    std::uint32_t c = codePoint & 0xFFFFu;
    if (c <= kUnicodeLowLast) return kUnicodeToSjisLow[c - kUnicodeLowFirst];
    if (c >= kUnicodeMidFirst && c <= kUnicodeMidLast) return kUnicodeToSjisMid[c - kUnicodeMidFirst];
    if (c >= kUnicodeHighFirst) return kUnicodeToSjisHigh[c - kUnicodeHighFirst];
    return 0;
}
