// Shift-JIS -> UTF-16LE and Shift-JIS -> UTF-8 for the writer and the message texts, with
// their notices and sjisstat, and the quiet Shift-JIS -> UTF-8 of the platform's boundary.
#include "platform/console.h"
#include "text/convert.h"
#include "text/convert_core.h"

namespace {

constexpr int kSjisStatClean = 7;
constexpr std::uint32_t kQuestionMark = 0x3F;

void traceLowTrailByte(const SjisCharacter& c) {
    consolePrint("[%02X %02X(x)](2nd byte==0x00-3F) ", c.code >> 8, c.code & 0xFF);
}

bool putUtf16Unit(OutputBuffer& out, std::uint32_t unit) {
    const unsigned char bytes[2] = {static_cast<unsigned char>(unit & 0xFF),
                                    static_cast<unsigned char>((unit >> 8) & 0xFF)};
    return putBytes(out, bytes, 2);
}

void putUtf16(OutputBuffer& out, std::uint32_t codePoint) {
    if (codePoint < 0x10000) {
        putUtf16Unit(out, codePoint);
        return;
    }
    std::uint32_t v = codePoint - 0x10000;
    putUtf16Unit(out, 0xD800 + (v >> 10));
    putUtf16Unit(out, 0xDC00 + (v & 0x3FF));
}

} // namespace

int sjisToUtf16(unsigned char* out, const char* in) {
    // No size from the caller: the output is at most twice the input's length plus 2.
    OutputBuffer buffer{reinterpret_cast<char*>(out), kUnboundedCapacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    int sjisstat = kSjisStatClean;
    while (*p != 0) {
        SjisCharacter c = readSjisCharacter(p);
        sjisstat = nextSjisStat(sjisstat, c);
        // A lead byte right before the terminator is dropped; nothing past it is read.
        if (c.kind == SjisKind::DanglingLead) break;
        p += c.consumed;
        if (hasLowTrailByte(c)) traceLowTrailByte(c);
        if (c.kind == SjisKind::Skipped) continue;
        // An undefined pair keeps its own code as the unit: the writer loses no byte of it.
        putUtf16(buffer, c.codePoint != 0 ? c.codePoint : c.code);
    }
    const unsigned char zero = 0;
    putBytes(buffer, &zero, 1);
    finishOutput(buffer);
    return sjisstat;
}

int sjisToUtf8Bounded(char* out, std::size_t capacity, const char* in) {
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
        // Whole characters only: the text ends before the first one that does not fit.
        if (c.kind != SjisKind::Skipped && !undefined && !putUtf8(buffer, c.codePoint)) break;
        sjisstat = nextSjisStat(sjisstat, c);
        p += c.consumed;
        if (hasLowTrailByte(c)) traceLowTrailByte(c);
        if (undefined) consolePrint("<<<uni%06X:sjis%06X>>>", 0u, static_cast<unsigned>(c.code));
    }
    finishOutput(buffer);
    return sjisstat;
}

int sjisToUtf8(char* out, const char* in) {
    // No size from the caller: the output is at most three times the input's length plus 1.
    return sjisToUtf8Bounded(out, kUnboundedCapacity, in);
}

void sjisToUtf8Quiet(char* out, std::size_t capacity, const char* in) {
    OutputBuffer buffer{out, capacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    while (*p != 0) {
        SjisCharacter c = readSjisCharacter(p);
        // Whatever has no character (an undefined pair, a byte 0xFD-0xFF, a lead byte without
        // its trail byte) shows as "?", so a name never loses a byte without a trace.
        bool noCharacter = c.kind != SjisKind::Single && c.codePoint == 0;
        if (!putUtf8(buffer, noCharacter ? kQuestionMark : c.codePoint)) break;
        if (c.kind == SjisKind::DanglingLead) break;
        p += c.consumed;
    }
    finishOutput(buffer);
}
