// Conversions between the PMX file's text encodings (UTF-16LE, UTF-8) and the Shift-JIS used
// everywhere inside the program, and the bounded composition of message texts.
// The tables they rest on are in text/sjis_tables.h.
#pragma once

#include <cstddef>

// UTF-16LE (ended by a zero unit) to Shift-JIS. Output: at most the input's byte length + 1.
// Returns the number of input bytes consumed (terminator not counted).
int utf16ToSjis(char* out, const unsigned char* in);

// UTF-8 to Shift-JIS, echoing a byte-by-byte trace to the console (utfstat, cttotal).
// Output: at most twice the input's length + 1. Returns utfstat: 7 well formed, 0 malformed.
int utf8ToSjis(char* out, const unsigned char* in);

// Shift-JIS to UTF-16LE (ended by a zero unit). Output: at most 2 * length + 2 bytes.
// Returns sjisstat (7 clean; 0 means the text is not Shift-JIS).
int sjisToUtf16(unsigned char* out, const char* in);

// Shift-JIS to UTF-8. Output: at most 3 * length + 1 bytes. Returns sjisstat.
int sjisToUtf8(char* out, const char* in);

// The same conversions without any console output, for the platform's code-page boundary.
// `capacity` bounds the output (terminator included); the output is cut at a character
// boundary when it would not fit. Text from outside may come decomposed, so utf8ToSjisQuiet
// first composes a character with the marks after it (text/composition.h).
void utf8ToSjisQuiet(char* out, std::size_t capacity, const char* in);
void sjisToUtf8Quiet(char* out, std::size_t capacity, const char* in);

// 0 equal; -1 different (also when the text is a proper prefix of the reference);
// 3 when the reference is a proper prefix of the text.
int utf16Compare(const unsigned char* text, const unsigned char* reference);

// Bytes before the zero unit (always even).
int utf16ByteLength(const unsigned char* text);

// Appends `source` (Shift-JIS) converted to UTF-8 to the text in `destination`, a buffer of
// `capacity` bytes. Refuses (-1) when the text already holds 520 bytes or more; otherwise
// appends what fits, cut at a character boundary, always keeping the terminator, and returns
// the conversion's sjisstat.
int appendSjisAsUtf8(char* destination, std::size_t capacity, const char* source);

// Appends a message piece: unchanged (Shift-JIS) in Japanese mode, else through
// appendSjisAsUtf8. Same bounds as above. Returns `destination`.
char* appendMessageText(char* destination, std::size_t capacity, const char* source);
