// The inside form seen from outside text/: character widths and the plain Shift-JIS that a
// Shift-JIS console or message box shows (see inside_text.h).
#include "text/inside_text.h"

#include "text/convert_core.h"
#include "text/inside_escape.h"
#include "text/sjis_tables.h"

namespace {

constexpr std::uint16_t kQuestionMark = 0x3F;

// What a Shift-JIS console shows for an escape: its character's code, else "?".
std::uint16_t shownCodeOf(const Escape& e) {
    const std::uint16_t code = e.kind == EscapeKind::CodePoint ? sjisCodeFor(e.value) : 0;
    return code != 0 ? code : kQuestionMark;
}

} // namespace

std::size_t insideCharacterBytes(const char* text) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    if (p[0] == 0) return 0;
    const Escape e = readEscape(p);
    if (e.kind != EscapeKind::None) return static_cast<std::size_t>(e.length);
    return isSjisLeadByte(p[0]) && p[1] != 0 ? 2 : 1;
}

int insideToShownSjis(char* out, std::size_t capacity, const char* text) {
    OutputBuffer buffer{out, capacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    int result = 0;
    while (*p != 0) {
        const Escape e = readEscape(p);
        bool written;
        std::size_t width;
        if (e.kind == EscapeKind::None) {
            width = insideCharacterBytes(reinterpret_cast<const char*>(p));
            written = putBytes(buffer, p, width);
        } else {
            written = putSjisCode(buffer, shownCodeOf(e));
            width = static_cast<std::size_t>(e.length);
        }
        if (!written) {
            result = -1;
            break;
        }
        p += width;
    }
    finishOutput(buffer);
    return result;
}


std::size_t insideBytesToShownSjis(char* out, const char* in, std::size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(in);
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < length) {
        // A marker is never a trail byte, so the bytes can be walked one by one. An escape
        // that the range cuts short is copied as it stands.
        const int digits = escapeDigitsAfter(bytes[i]);
        Escape e{EscapeKind::None, 0, 0};
        if (digits > 0 && static_cast<std::size_t>(digits) < length - i) {
            unsigned char whole[kEscapeLongestBytes + 1] = {};
            for (int k = 0; k <= digits; ++k) whole[k] = bytes[i + static_cast<std::size_t>(k)];
            e = readEscape(whole);
        }
        if (e.kind == EscapeKind::None) {
            out[written++] = in[i++];
            continue;
        }
        const std::uint16_t code = shownCodeOf(e);
        if (code >= 0x100) out[written++] = static_cast<char>(code >> 8);
        out[written++] = static_cast<char>(code & 0xFF);
        i += static_cast<std::size_t>(e.length);
    }
    return written;
}

bool holdsEscape(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte >= kEscapeCodePoint) return true;
    }
    return false;
}

bool holdsEscapedByte(const char* text) {
    for (const char* p = text; *p != '\0'; p += insideCharacterBytes(p)) {
        if (readEscape(reinterpret_cast<const unsigned char*>(p)).kind == EscapeKind::Byte) return true;
    }
    return false;
}
