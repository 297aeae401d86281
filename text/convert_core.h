// Character-level pieces shared by the converters, traced and quiet alike: reading one UTF-8
// sequence or one Shift-JIS character, the Shift-JIS code of a character, and writing one
// character into a bounded output. Only text/ uses this header.
#pragma once

#include <cstddef>
#include <cstdint>

// ---- Bounded output ---------------------------------------------------------------------------

// An output buffer of `capacity` bytes, the terminator included. The converters whose callers
// give no size use kUnboundedCapacity and rely on the documented worst case instead.
struct OutputBuffer {
    char* bytes;
    std::size_t capacity;
    std::size_t used;
};
constexpr std::size_t kUnboundedCapacity = static_cast<std::size_t>(-1);

// Appends `length` bytes when they fit before the terminator's place; false (nothing written)
// when they do not, so a character is never split.
bool putBytes(OutputBuffer& out, const unsigned char* bytes, std::size_t length);

// Writes the terminator (always room for it when capacity > 0).
void finishOutput(OutputBuffer& out);

// A Shift-JIS code: below 0x100 one byte, else lead byte then trail byte.
bool putSjisCode(OutputBuffer& out, std::uint16_t code);

// A code point in standard UTF-8 form (1-4 bytes).
bool putUtf8(OutputBuffer& out, std::uint32_t codePoint);

// A code point as one UTF-16LE unit, or a surrogate pair beyond U+FFFF, whole or not at all.
bool putUtf16(OutputBuffer& out, std::uint32_t codePoint);

// ---- UTF-8 input -----------------------------------------------------------------------------

// One UTF-8 sequence starting at a non-zero byte. A malformed sequence keeps as consumed the
// bytes read while recognising it: up to and including the first bad byte, or up to the
// terminator, which is never consumed.
struct Utf8Sequence {
    int consumed;            // 1-4
    int expected;            // length the first byte announces; 0 when it cannot start one
    bool wellFormed;
    std::uint32_t codePoint; // when well formed (overlong forms and surrogates not rejected)
};
Utf8Sequence readUtf8Sequence(const unsigned char* in);

// A well-formed sequence in its shortest form for a code point up to U+10FFFF, no surrogate:
// only such a sequence may stand for a character at the boundary, so that no byte comes out
// as an ASCII character, "/" included, in a disguised form.
bool isShortestValidForm(const Utf8Sequence& s);

// One character with the combining marks after it that compose with it (text/composition.h):
// `first` is its own sequence, `consumed` counts the marks' bytes too, and `codePoint` is the
// composed character when `composed` is set (only shortest forms compose).
struct ComposedCharacter {
    Utf8Sequence first;
    int consumed;
    std::uint32_t codePoint;
    bool composed;
};
ComposedCharacter readComposedCharacter(const unsigned char* in);

// ---- Shift-JIS input -------------------------------------------------------------------------

enum class SjisKind {
    Single,       // one byte, 0x01-0x7F or 0xA0-0xDF
    Pair,         // lead byte and trail byte
    DanglingLead, // a lead byte right before the terminator: ends the text
    Skipped,      // 0xFD-0xFF, which no code uses, when they start no escape
    Escaped,      // an escape of the inside form (text/inside_escape.h): a code point
    EscapedByte,  // an escape of a byte that is no character; codePoint holds the byte
};

struct SjisCharacter {
    SjisKind kind;
    int consumed;
    std::uint16_t code;      // the byte, or lead * 256 + trail; 0 for an escape
    std::uint32_t codePoint; // 0 for an undefined pair
};

// One character of the inside form starting at a non-zero byte: an escape, or a Shift-JIS
// character with the backslash kept as U+005C, the compatibility overrides for lead bytes
// 0x81-0x9F, then the table. 0xA0 keeps its own value.
SjisCharacter readSjisCharacter(const unsigned char* in);

// True for a pair whose trail byte lies below 0x40 (lead bytes 0x81-0x9F and 0xE0-0xFC;
// lead byte 0x80 gets no trail-byte test).
bool hasLowTrailByte(const SjisCharacter& c);

// sjisstat after reading `c`.
int nextSjisStat(int sjisstat, const SjisCharacter& c);

// ---- Unicode -> Shift-JIS --------------------------------------------------------------------

// A code point's Shift-JIS code: the overrides first, then the table; 0 when it has none
// (always for code points above U+FFFF). The backslash rule is the caller's.
std::uint16_t sjisCodeFor(std::uint32_t codePoint);

// An ASCII byte's code: backslash stays 0x5C (the path separator), "~" gives 0x81B0; a byte
// without an entry keeps its value.
std::uint16_t sjisCodeForAscii(unsigned char byte);

// ---- Traced conversion used by more than one public entry ------------------------------------

// sjisToUtf8 bounded by `capacity`: stops at the first character that does not fit; prints the
// notices of what it converted. With `shown` (a message text) an escaped byte or surrogate,
// which has no character to show, becomes "?"; otherwise it goes out as its bytes. Returns
// sjisstat.
int sjisToUtf8Bounded(char* out, std::size_t capacity, const char* in, bool shown);
