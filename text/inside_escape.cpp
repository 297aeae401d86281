// The inside form's escape (see inside_escape.h): reading and writing it, and the choice between
// a character's Shift-JIS code and its escape.
#include "text/inside_escape.h"

namespace {

constexpr int kDigitBits = 6;
constexpr std::uint32_t kDigitMask = (1u << kDigitBits) - 1;
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;
constexpr std::uint16_t kBackslash = 0x5C;
constexpr std::uint32_t kYenSign = 0xA5;
constexpr std::uint16_t kSingleTilde = 0x7E;

bool putEscape(OutputBuffer& out, unsigned char marker, std::uint32_t value) {
    unsigned char bytes[kEscapeLongestBytes];
    const int digits = escapeDigitsAfter(marker);
    bytes[0] = marker;
    for (int i = digits; i >= 1; --i) {
        bytes[i] = static_cast<unsigned char>(kEscapeDigitFirst + (value & kDigitMask));
        value >>= kDigitBits;
    }
    return putBytes(out, bytes, static_cast<std::size_t>(digits) + 1);
}

// The character a Shift-JIS code stands for when read back as `reading` says.
std::uint32_t readBack(std::uint16_t code, InsideReading reading) {
    if (code == kSingleTilde && reading == InsideReading::FileName) return '~';
    unsigned char bytes[3] = {static_cast<unsigned char>(code >> 8),
                              static_cast<unsigned char>(code & 0xFF), 0};
    if (code < 0x100) {
        bytes[0] = static_cast<unsigned char>(code);
        bytes[1] = 0;
    }
    return readSjisCharacter(bytes).codePoint;
}

} // namespace

int escapeDigitsAfter(unsigned char marker) {
    switch (marker) {
    case kEscapeCodePoint: return 3;
    case kEscapeWideCodePoint: return 4;
    case kEscapeByte: return 2;
    default: return 0;
    }
}

Escape readEscape(const unsigned char* in) {
    const int digits = escapeDigitsAfter(in[0]);
    if (digits == 0) return {EscapeKind::None, 0, 0};
    std::uint32_t value = 0;
    for (int i = 1; i <= digits; ++i) {
        // The terminator is no digit, so nothing past it is read.
        if (in[i] < kEscapeDigitFirst || in[i] > kEscapeDigitLast) return {EscapeKind::None, 0, 0};
        value = (value << kDigitBits) | (in[i] - kEscapeDigitFirst);
    }
    if (in[0] == kEscapeByte) {
        if (value < 0x80 || value > 0xFF) return {EscapeKind::None, 0, 0};
        return {EscapeKind::Byte, digits + 1, value};
    }
    if (in[0] == kEscapeWideCodePoint && (value < kEscapeWideFirst || value > kLastCodePoint))
        return {EscapeKind::None, 0, 0};
    return {EscapeKind::CodePoint, digits + 1, value};
}

bool putEscapedCodePoint(OutputBuffer& out, std::uint32_t codePoint) {
    if (codePoint > kLastCodePoint) return false;
    return putEscape(out, codePoint < kEscapeWideFirst ? kEscapeCodePoint : kEscapeWideCodePoint,
                     codePoint);
}

bool putEscapedByte(OutputBuffer& out, unsigned char byte) {
    if (byte < 0x80) return false;
    return putEscape(out, kEscapeByte, byte);
}

std::uint16_t insideCodeFor(std::uint32_t codePoint, InsideReading reading) {
    if (codePoint == kBackslash) return kBackslash;
    if (codePoint == kYenSign && reading == InsideReading::PmxText) return kBackslash;
    if (codePoint == 0 || codePoint > 0xFFFF) return 0;
    const std::uint16_t code = codePoint < 0x80 ? sjisCodeForAscii(static_cast<unsigned char>(codePoint))
                                                : sjisCodeFor(codePoint);
    // A code that reads back as another character (the variants code page 932 folds: U+301C
    // comes back as U+FF5E) would name another file and write another link.
    if (code == 0 || readBack(code, reading) != codePoint) return 0;
    return code;
}

bool putInsideCharacter(OutputBuffer& out, std::uint32_t codePoint, InsideReading reading) {
    const std::uint16_t code = insideCodeFor(codePoint, reading);
    return code != 0 ? putSjisCode(out, code) : putEscapedCodePoint(out, codePoint);
}
