// One character at a time between Shift-JIS and Unicode, with the rules every converter
// shares: the backslash kept as itself, the compatibility overrides before the tables, and
// the sjisstat bookkeeping of a Shift-JIS walk.
#include "text/convert_core.h"
#include "text/inside_escape.h"
#include "text/sjis_tables.h"

namespace {

constexpr unsigned char kBackslash = 0x5C;
constexpr int kSjisStatOutsideRow = 8; // a lead byte 0xE0-0xFC, or a byte 0xFD-0xFF, was met

bool takesOverrides(unsigned char lead) { return lead >= 0x81 && lead <= 0x9F; }

} // namespace

SjisCharacter readSjisCharacter(const unsigned char* in) {
    unsigned char first = in[0];
    if (first < 0x80) {
        std::uint32_t codePoint = first == kBackslash ? kBackslash : sjisToUnicode(first);
        return {SjisKind::Single, 1, first, codePoint};
    }
    if (first >= 0xA0 && first <= 0xDF) {
        std::uint32_t codePoint = sjisToUnicode(first);
        return {SjisKind::Single, 1, first, codePoint != 0 ? codePoint : first};
    }
    if (first >= 0xFD) {
        const Escape e = readEscape(in);
        if (e.kind == EscapeKind::None) return {SjisKind::Skipped, 1, first, 0};
        return {e.kind == EscapeKind::Byte ? SjisKind::EscapedByte : SjisKind::Escaped, e.length, 0, e.value};
    }
    // A lead byte. Its trail byte is whatever follows, except the terminator.
    unsigned char trail = in[1];
    if (trail == 0) return {SjisKind::DanglingLead, 1, first, 0};
    std::uint16_t code = static_cast<std::uint16_t>((first << 8) | trail);
    std::uint32_t codePoint = takesOverrides(first) ? sjisOverrideToUnicode(code) : 0;
    if (codePoint == 0) codePoint = sjisToUnicode(code);
    return {SjisKind::Pair, 2, code, codePoint};
}

bool hasLowTrailByte(const SjisCharacter& c) {
    return c.kind == SjisKind::Pair && (c.code >> 8) != 0x80 && (c.code & 0xFF) < 0x40;
}

int nextSjisStat(int sjisstat, const SjisCharacter& c) {
    switch (c.kind) {
    case SjisKind::Single:
    case SjisKind::Escaped:
    case SjisKind::EscapedByte:
        return sjisstat;
    case SjisKind::Skipped:
        return sjisstat | kSjisStatOutsideRow;
    case SjisKind::DanglingLead:
        return sjisstat & 3;
    case SjisKind::Pair:
        break;
    }
    unsigned lead = c.code >> 8;
    if (lead == 0x80) return sjisstat & 2;
    if (lead >= 0xE0) sjisstat |= kSjisStatOutsideRow;
    // The AND takes the whole byte, so it also clears the bit just set above.
    if (hasLowTrailByte(c)) sjisstat &= 1;
    return sjisstat;
}

std::uint16_t sjisCodeFor(std::uint32_t codePoint) {
    if (codePoint > 0xFFFF) return 0; // the table would take the low 16 bits
    std::uint16_t code = unicodeOverrideToSjis(codePoint);
    return code != 0 ? code : unicodeToSjis(codePoint);
}

std::uint16_t sjisCodeForAscii(unsigned char byte) {
    if (byte == kBackslash) return kBackslash;
    std::uint16_t code = unicodeToSjis(byte);
    return code != 0 ? code : byte;
}
