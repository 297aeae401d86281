// The escape that makes the inside form lossless. Inside the program every text is a Shift-JIS
// byte string; a character the tables cannot give back as itself (Chinese, Hangul, emoji, the
// wave dash U+301C, which code page 932 reads as U+FF5E), and a byte that belongs to no
// character (a name on disk that is not UTF-8, a broken sequence in a model's text), travel in
// it as an escape:
//
//   FD d d d     a code point U+0000-U+3FFFF, surrogates included      4 bytes
//   FE d d d d   a code point U+40000-U+10FFFF                         5 bytes
//   FF d d       a byte 0x80-0xFF that is no character                 3 bytes
//
// Each digit d is a byte 0xA0-0xDF worth six bits (byte - 0xA0), most significant first.
// Shift-JIS uses no byte 0xFD-0xFF, and none of these bytes is NUL, a separator, a dot, a quote,
// an ASCII letter or a lead byte of code page 932: a scan for a separator finds the same whether
// it steps over an escape whole or byte by byte, and case folding and composition leave it
// alone. Only text/ reads or writes the escape; the other folders see it through
// text/inside_text.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/convert_core.h"

constexpr unsigned char kEscapeCodePoint = 0xFD;
constexpr unsigned char kEscapeWideCodePoint = 0xFE;
constexpr unsigned char kEscapeByte = 0xFF;
constexpr unsigned char kEscapeDigitFirst = 0xA0;
constexpr unsigned char kEscapeDigitLast = 0xDF;
constexpr std::uint32_t kEscapeWideFirst = 0x40000; // first code point of the five-byte form
constexpr std::size_t kEscapeLongestBytes = 5;

enum class EscapeKind {
    None,      // no whole escape starts here
    CodePoint, // `value` is a code point
    Byte,      // `value` is a byte 0x80-0xFF that is no character
};

struct Escape {
    EscapeKind kind;
    int length;          // bytes of the escape; 0 for None
    std::uint32_t value;
};

// Digits that follow `marker` in a whole escape: 3, 4 or 2; 0 for a byte that is no marker.
int escapeDigitsAfter(unsigned char marker);

// The escape that starts at `in`; None when the marker is missing, a digit is missing or out of
// range, or the value lies outside its form (a five-byte form below U+40000 or above U+10FFFF, a
// byte form below 0x80).
Escape readEscape(const unsigned char* in);

// Writes the escape of a code point (up to U+10FFFF) or of a byte 0x80-0xFF, whole or not at all.
bool putEscapedCodePoint(OutputBuffer& out, std::uint32_t codePoint);
bool putEscapedByte(OutputBuffer& out, unsigned char byte);

// How a character will be read back from the inside form: a PMX text goes back to the model by
// the tables (the single byte 0x7E is U+203E), a name goes back to the file system as code page
// 932 reads it (0x7E is "~"). A PMX text also takes the yen sign as the separator, as Japanese
// Windows does with the byte 0x5C; a file name never does.
enum class InsideReading { PmxText, FileName };

// The Shift-JIS code that carries `codePoint` in the inside form: the backslash stays 0x5C, "~"
// is 0x81B0, other characters take their code (overrides first) only when that code reads back
// as the same character; 0 when the character must be escaped.
std::uint16_t insideCodeFor(std::uint32_t codePoint, InsideReading reading);

// Writes `codePoint` into the inside form: its code, else its escape. False when it did not fit.
bool putInsideCharacter(OutputBuffer& out, std::uint32_t codePoint, InsideReading reading);
