// Conversions between the PMX file's text encodings (UTF-16LE, UTF-8) and the inside form used
// everywhere inside the program (Shift-JIS, with escapes for what Shift-JIS cannot give back,
// text/inside_escape.h), and the bounded composition of message texts.
// The tables they rest on are in text/sjis_tables.h.
#pragma once

#include <cstddef>

// UTF-16LE (ended by a zero unit) to the inside form, every unit kept (a surrogate without its
// partner escaped alone). Output: at most twice the input's byte length + 1.
// Returns the number of input bytes consumed (terminator not counted).
int utf16ToSjis(char* out, const unsigned char* in);

// UTF-8 to the inside form, echoing a byte-by-byte trace to the console (utfstat, cttotal). The
// trace stops at a second malformed sequence; the text kept is the whole input, each byte of a
// malformed sequence escaped. Output: at most 3 * length + 1. Returns utfstat: 7 well formed,
// 0 malformed.
int utf8ToSjis(char* out, const unsigned char* in);

// Inside form to UTF-16LE (ended by a zero unit). Output: at most 2 * length + 2 bytes.
// Returns sjisstat (7 clean; 0 means the text is not Shift-JIS, or holds an escaped byte, which
// UTF-16 cannot carry).
int sjisToUtf16(unsigned char* out, const char* in);

// Inside form to UTF-8; escaped bytes go out as themselves. Output: at most 3 * length + 1
// bytes. Returns sjisstat.
int sjisToUtf8(char* out, const char* in);

// The same conversions without any console output, for the platform's code-page boundary.
// `capacity` bounds the output (terminator included); the output is cut at a character
// boundary when it would not fit. 0 when all of the text was converted, -1 when it was cut.
// Text from outside may come decomposed, so utf8ToSjisQuiet first composes a character with
// the marks after it (text/composition.h); it reads characters as file names
// (InsideReading::FileName) and escapes every byte that is no character, so any name on disk
// comes back byte for byte. Output: at most 3 * length + 1.
int utf8ToSjisQuiet(char* out, std::size_t capacity, const char* in);
// The same without composing: a name as stored, which sjisToUtf8Quiet (OutsideUse::Path) gives
// back byte for byte.
int utf8NameToInside(char* out, std::size_t capacity, const char* in);

// What an inside text becomes outside: a path goes to the file system exactly (an escaped
// byte as that byte); a text that holds no character there (an undefined pair, a byte
// 0xFD-0xFF outside an escape) names no file, and the conversion fails (-1) rather than put "?"
// in its place. A shown text (a terminal, a message) shows "?" for what has no character and
// for escaped bytes and surrogates. Both read the single byte 0x7E as "~", as code page 932 does.
enum class OutsideUse { Path, Shown };
int sjisToUtf8Quiet(char* out, std::size_t capacity, const char* in, OutsideUse use);

// The Windows file system's names: UTF-16LE (ended by a zero unit) to the inside form, read as
// names (as utf8ToSjisQuiet reads them, without composing), and back; `capacity` in bytes, the
// terminator included. 0, or -1 when the output would not fit, or, going out, when the text
// holds what no name can (an escaped byte, a code without a character): then it names no file.
int utf16NameToInside(char* out, std::size_t capacity, const unsigned char* in);
int insideNameToUtf16(unsigned char* out, std::size_t capacity, const char* in);

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
