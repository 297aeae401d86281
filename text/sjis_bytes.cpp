// Byte-level Shift-JIS helpers: the program's own lead-byte test (independent of the system's
// code page) and the removal of a character cut short at the end of a text.
#include "text/inside_escape.h"
#include "text/inside_text.h"
#include "text/sjis_tables.h"

namespace {

// An escape's marker with fewer digits after it than its form needs, up to the terminator.
bool isEscapeCutShort(const unsigned char* p) {
    const int needed = escapeDigitsAfter(p[0]);
    int digits = 0;
    while (digits < needed && p[1 + digits] >= kEscapeDigitFirst && p[1 + digits] <= kEscapeDigitLast)
        ++digits;
    return needed > 0 && digits < needed && p[1 + digits] == 0;
}

} // namespace

bool isSjisLeadByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int trimDanglingLeadByte(char* text) {
    // Walk from the start: only a walk knows whether a byte is a lead byte or the trail byte
    // of the character before it, or a digit of an escape.
    char* p = text;
    while (*p != '\0') {
        const unsigned char byte = static_cast<unsigned char>(*p);
        const bool danglingLead = isSjisLeadByte(byte) && p[1] == '\0';
        if (danglingLead || isEscapeCutShort(reinterpret_cast<unsigned char*>(p))) {
            *p = '\0';
            return 1;
        }
        p += insideCharacterBytes(p);
    }
    return 0;
}
