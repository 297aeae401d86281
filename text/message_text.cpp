// Composition of message texts: each piece is appended to the caller's buffer, in Shift-JIS in
// Japanese mode and converted to UTF-8 otherwise, never past the buffer's capacity.
#include <cstring>

#include "text/convert.h"
#include "text/convert_core.h"
#include "text/inside_text.h"
#include "text/language.h"
#include "text/sjis_tables.h"

namespace {

// A text this long is taken as full: no more pieces are converted onto it.
constexpr std::size_t kMessageTextFull = 520;

// Length of the text in `buffer`; false when no terminator lies within its capacity.
bool textLength(const char* buffer, std::size_t capacity, std::size_t* length) {
    const void* end = std::memchr(buffer, '\0', capacity);
    if (end == nullptr) return false;
    *length = static_cast<std::size_t>(static_cast<const char*>(end) - buffer);
    return true;
}

// Copies Shift-JIS characters and escapes whole while they fit. A lead byte without its trail
// byte is half a character and is not copied.
void appendSjisUnchanged(char* destination, std::size_t capacity, const char* source) {
    std::size_t used;
    if (!textLength(destination, capacity, &used)) return;
    OutputBuffer buffer{destination + used, capacity - used, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(source);
    while (*p != 0) {
        const std::size_t length = insideCharacterBytes(reinterpret_cast<const char*>(p));
        if (length == 1 && isSjisLeadByte(*p)) break;
        if (!putBytes(buffer, p, length)) break;
        p += length;
    }
    finishOutput(buffer);
}

} // namespace

int appendSjisAsUtf8(char* destination, std::size_t capacity, const char* source) {
    std::size_t used;
    if (!textLength(destination, capacity, &used)) return -1;
    if (used >= kMessageTextFull) return -1;
    return sjisToUtf8Bounded(destination + used, capacity - used, source, true);
}

char* appendMessageText(char* destination, std::size_t capacity, const char* source) {
    if (japaneseMode()) {
        appendSjisUnchanged(destination, capacity, source);
    } else {
        appendSjisAsUtf8(destination, capacity, source);
    }
    return destination;
}
