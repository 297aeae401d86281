// Byte-level Shift-JIS helpers: the program's own lead-byte test (independent of the system's
// code page) and the removal of a lead byte left without its trail byte.
#include "text/sjis_tables.h"

bool isSjisLeadByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int trimDanglingLeadByte(char* text) {
    // Walk from the start: only a walk knows whether a byte is a lead byte or the trail byte
    // of the character before it.
    bool inCharacter = false;
    char* lastLead = nullptr;
    char* p = text;
    for (; *p != '\0'; ++p) {
        if (inCharacter) {
            inCharacter = false;
        } else if (isSjisLeadByte(static_cast<unsigned char>(*p))) {
            inCharacter = true;
            lastLead = p;
        }
    }
    if (inCharacter && lastLead == p - 1) {
        *lastLead = '\0';
        return 1;
    }
    return 0;
}
