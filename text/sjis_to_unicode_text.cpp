// Shift-JIS -> UTF-16LE and Shift-JIS -> UTF-8 for the writer and the message texts, with
// their notices and sjisstat, and the quiet Shift-JIS -> UTF-8 of the platform's boundary.
// Escapes of the inside form come back as the characters and bytes they carry.
#include "text/text_trace.h"
#include "text/convert.h"
#include "text/convert_core.h"

namespace {

constexpr int kSjisStatClean = 7;
constexpr std::uint32_t kQuestionMark = 0x3F;
constexpr std::uint16_t kSingleTilde = 0x7E;

bool isSurrogate(std::uint32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

void traceLowTrailByte(const SjisCharacter& c) {
    textTrace("[%02X %02X(x)](2nd byte==0x00-3F) ", c.code >> 8, c.code & 0xFF);
}

} // namespace

int sjisToUtf16(unsigned char* out, const char* in) {
    // No size from the caller: the output is at most twice the input's length plus 2.
    OutputBuffer buffer{reinterpret_cast<char*>(out), kUnboundedCapacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    int sjisstat = kSjisStatClean;
    bool noUnits = false;
    while (*p != 0) {
        SjisCharacter c = readSjisCharacter(p);
        sjisstat = nextSjisStat(sjisstat, c);
        // A lead byte right before the terminator is dropped; nothing past it is read.
        if (c.kind == SjisKind::DanglingLead) break;
        p += c.consumed;
        if (hasLowTrailByte(c)) traceLowTrailByte(c);
        if (c.kind == SjisKind::Skipped) continue;
        // A byte that is no character (a name on disk that is not UTF-8) has no UTF-16 form.
        if (c.kind == SjisKind::EscapedByte) {
            noUnits = true;
            continue;
        }
        // An undefined pair keeps its own code as the unit: the writer loses no byte of it.
        // An escaped surrogate comes back as the lone unit it was.
        putUtf16(buffer, c.codePoint != 0 || c.kind == SjisKind::Escaped ? c.codePoint : c.code);
    }
    const unsigned char zero = 0;
    putBytes(buffer, &zero, 1);
    finishOutput(buffer);
    return noUnits ? 0 : sjisstat;
}

int sjisToUtf8Bounded(char* out, std::size_t capacity, const char* in, bool shown) {
    OutputBuffer buffer{out, capacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    int sjisstat = kSjisStatClean;
    while (*p != 0) {
        SjisCharacter c = readSjisCharacter(p);
        if (c.kind == SjisKind::DanglingLead) {
            sjisstat = nextSjisStat(sjisstat, c);
            break;
        }
        bool undefined = c.kind == SjisKind::Pair && c.codePoint == 0;
        bool written = true;
        if (c.kind == SjisKind::EscapedByte) {
            // The byte itself goes back to a file; a reader is shown "?".
            const unsigned char byte = static_cast<unsigned char>(c.codePoint);
            written = shown ? putUtf8(buffer, kQuestionMark) : putBytes(buffer, &byte, 1);
        } else if (c.kind == SjisKind::Escaped && shown && isSurrogate(c.codePoint)) {
            written = putUtf8(buffer, kQuestionMark);
        } else if (c.kind != SjisKind::Skipped && !undefined) {
            written = putUtf8(buffer, c.codePoint);
        }
        // Whole characters only: the text ends before the first one that does not fit.
        if (!written) break;
        sjisstat = nextSjisStat(sjisstat, c);
        p += c.consumed;
        if (hasLowTrailByte(c)) traceLowTrailByte(c);
        if (undefined) textTrace("<<<uni%06X:sjis%06X>>>", 0u, static_cast<unsigned>(c.code));
    }
    finishOutput(buffer);
    return sjisstat;
}

int sjisToUtf8(char* out, const char* in) {
    // No size from the caller: the output is at most three times the input's length plus 1.
    return sjisToUtf8Bounded(out, kUnboundedCapacity, in, false);
}

int insideNameToUtf16(unsigned char* out, std::size_t capacity, const char* in) {
    OutputBuffer buffer{reinterpret_cast<char*>(out), capacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    const unsigned char zero[2] = {0, 0};
    while (*p != 0) {
        const SjisCharacter c = readSjisCharacter(p);
        // What holds no character (an escaped byte among them) names no file on Windows.
        const bool noCharacter = c.kind == SjisKind::EscapedByte ||
                                 ((c.kind == SjisKind::Pair || c.kind == SjisKind::Skipped ||
                                   c.kind == SjisKind::DanglingLead) && c.codePoint == 0);
        const std::uint32_t codePoint = c.kind == SjisKind::Single && c.code == kSingleTilde ? '~' : c.codePoint;
        if (noCharacter || !putUtf16(buffer, codePoint)) {
            finishOutput(buffer);
            return -1;
        }
        p += c.consumed;
    }
    if (!putBytes(buffer, zero, 1)) return -1; // the terminator's other byte is finishOutput's
    finishOutput(buffer);
    return 0;
}

int sjisToUtf8Quiet(char* out, std::size_t capacity, const char* in, OutsideUse use) {
    OutputBuffer buffer{out, capacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    const bool shown = use == OutsideUse::Shown;
    int result = 0;
    while (*p != 0) {
        SjisCharacter c = readSjisCharacter(p);
        // Whatever has no character (an undefined pair, a byte 0xFD-0xFF, a lead byte without
        // its trail byte) is shown as "?", so a text never loses a byte without a trace; a path
        // holding one names no file, and "?" must not stand for it.
        const bool noCharacter = (c.kind == SjisKind::Pair || c.kind == SjisKind::Skipped ||
                                  c.kind == SjisKind::DanglingLead) && c.codePoint == 0;
        if (noCharacter && !shown) {
            result = -1;
            break;
        }
        bool written;
        if (noCharacter || (shown && (c.kind == SjisKind::EscapedByte ||
                                      (c.kind == SjisKind::Escaped && isSurrogate(c.codePoint))))) {
            written = putUtf8(buffer, kQuestionMark);
        } else if (c.kind == SjisKind::EscapedByte) {
            const unsigned char byte = static_cast<unsigned char>(c.codePoint);
            written = putBytes(buffer, &byte, 1);
        } else if (c.kind == SjisKind::Single && c.code == kSingleTilde) {
            // Code page 932 reads the single byte 0x7E as "~", not as the table's overline.
            written = putUtf8(buffer, '~');
        } else {
            written = putUtf8(buffer, c.codePoint);
        }
        if (!written) {
            result = -1;
            break;
        }
        if (c.kind == SjisKind::DanglingLead) break;
        p += c.consumed;
    }
    finishOutput(buffer);
    return result;
}
