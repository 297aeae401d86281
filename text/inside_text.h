// What the folders outside text/ need to know of the inside form's escapes
// (text/inside_escape.h): how many bytes a character takes, so that a text is cut only between
// characters, and the text as a Shift-JIS console or message box can show it.
#pragma once

#include <cstddef>

// Bytes of the character at `text`: a whole escape, a lead byte with its trail byte, or one
// byte. Never counts past the terminator (a lead byte right before it is one byte); 0 at the
// terminator. Every walk through an inside text steps with it, so a trail byte 0x5C is never
// taken for a separator.
std::size_t insideCharacterBytes(const char* text);

// `text` with each escape shown in plain Shift-JIS: as the code page 932 code of its character
// when it has one (the wave dash U+301C as 0x8160), else as "?". Everything else is copied as it
// stands. Cut between characters to fit `capacity`; 0, or -1 when it was cut.
int insideToShownSjis(char* out, std::size_t capacity, const char* text);

// The same over `length` bytes that may hold NULs (a console write): `out` has room for
// `length` bytes, which is always enough. Returns the bytes written.
std::size_t insideBytesToShownSjis(char* out, const char* in, std::size_t length);

// True when the bytes hold an escape (a plain Shift-JIS text goes out unchanged).
bool holdsEscape(const char* text, std::size_t length);

// True when the text holds a byte that is no character (a name on disk that is not UTF-8), which
// UTF-16 cannot carry.
bool holdsEscapedByte(const char* text);
